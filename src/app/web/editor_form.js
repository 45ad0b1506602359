// SPDX-License-Identifier: MIT
// The question's form: the question and five options, a sixth only where a draft brought one.
// Tab goes from text to text; the right option is chosen by a click on the circle beside its
// option or by Alt and its number, never by keys typed on it. Each field's issues stand under it
// in the checks' own words and are its accessible description.
export const QUESTION_FIELD = 0;
export const RIGHT_FIELD = 6;
export const EXTRA_FIELD = 7;
const OPTION_COUNT = 5;

export function nameField(field) {
  if (field === QUESTION_FIELD) {
    return "Вопрос";
  }
  if (field === RIGHT_FIELD) {
    return "Верный вариант";
  }
  return `Вариант ${field === EXTRA_FIELD ? OPTION_COUNT + 1 : field}`;
}

function issueLine(form, field) {
  const line = document.createElement("div");
  line.className = "issues";
  line.id = `issues-${field}`;
  form.append(line);
  return line;
}

function textField(form, field, caption) {
  const input = document.createElement("input");
  input.type = "text";
  input.id = `field-${field}`;
  input.spellcheck = false;
  input.autocomplete = "off";
  input.dataset.field = String(field);
  input.setAttribute("aria-describedby", `issues-${field}`);
  form.append(caption, input);
  return input;
}

// container: the form's element; on: {text(field, text), right(option)}.
export function buildForm(container, on) {
  const texts = [];
  const rights = [];
  const issues = [];
  const question = document.createElement("label");
  question.className = "caption";
  question.htmlFor = `field-${QUESTION_FIELD}`;
  question.textContent = "Вопрос:";
  texts[QUESTION_FIELD] = textField(container, QUESTION_FIELD, question);
  issues[QUESTION_FIELD] = issueLine(container, QUESTION_FIELD);
  for (let field = 1; field <= OPTION_COUNT; ++field) {
    const caption = document.createElement("label");
    caption.className = "caption right";
    caption.title = `Отметьте верный вариант (Alt+${field})`;
    const right = document.createElement("input");
    right.type = "radio";
    right.name = "right";
    right.value = String(field);
    // Tab goes from text to text: the circle takes no focus of its own.
    right.tabIndex = -1;
    right.setAttribute("aria-label", `Верный вариант ${field}`);
    right.addEventListener("click", () => on.right(field));
    caption.append(right, `Вариант ${field}:`);
    rights[field] = right;
    texts[field] = textField(container, field, caption);
    // The circle beside it is the choice of the right option; the text's name is its own.
    texts[field].setAttribute("aria-label", `Вариант ${field}`);
    issues[field] = issueLine(container, field);
  }
  const extraCaption = document.createElement("label");
  extraCaption.className = "caption extra";
  extraCaption.htmlFor = `field-${EXTRA_FIELD}`;
  extraCaption.textContent = "Вариант 6:";
  texts[EXTRA_FIELD] = textField(container, EXTRA_FIELD, extraCaption);
  issues[EXTRA_FIELD] = issueLine(container, EXTRA_FIELD);
  const hint = document.createElement("p");
  hint.className = "hint";
  hint.textContent = "Верный вариант отмечен кружком слева: щелчок или Alt с его цифрой.";
  container.append(hint);
  issues[RIGHT_FIELD] = issueLine(container, RIGHT_FIELD);
  const extraParts = [extraCaption, texts[EXTRA_FIELD], issues[EXTRA_FIELD]];
  container.addEventListener("input", (event) => {
    const field = Number(event.target.dataset.field);
    if (event.target.type === "text") {
      on.text(field, event.target.value);
    }
  });

  const showIssues = (list) => {
    const byField = new Map();
    for (const issue of list) {
      const shown = byField.get(issue.field) || { lines: [], error: false };
      shown.lines.push(issue.text);
      shown.error = shown.error || issue.error;
      byField.set(issue.field, shown);
    }
    issues.forEach((line, field) => {
      const shown = byField.get(field);
      const text = shown ? shown.lines.join("\n") : "";
      if (line.textContent !== text) {
        line.textContent = text;
      }
      const flag = shown ? (shown.error ? "error" : "warning") : "";
      line.dataset.flag = flag;
      const input = field === RIGHT_FIELD ? null : texts[field];
      if (input) {
        input.dataset.flag = flag;
        input.setAttribute("aria-invalid", String(flag === "error"));
      }
    });
    return byField;
  };

  return {
    // Shows a question: its texts (by field), its right option and its issues. A field being
    // typed in keeps its caret: only a text that differs is put in.
    show(values, right, list) {
      const byField = showIssues(list);
      for (const [field, input] of texts.entries()) {
        if (input === undefined) {
          continue;
        }
        if (input.value !== values[field]) {
          input.value = values[field];
          if (document.activeElement !== input) {
            input.setSelectionRange(0, 0);
          }
        }
        input.disabled = false;
      }
      const extra = values[EXTRA_FIELD] !== "" || byField.has(EXTRA_FIELD) ||
          document.activeElement === texts[EXTRA_FIELD];
      for (const part of extraParts) {
        part.hidden = !extra;
      }
      for (let option = 1; option <= OPTION_COUNT; ++option) {
        rights[option].checked = option === right;
        rights[option].disabled = false;
      }
    },
    // Only the issues, after a change elsewhere in the bank.
    showIssues,
    showNothing() {
      for (const input of texts) {
        if (input !== undefined) {
          input.value = "";
          input.disabled = true;
        }
      }
      for (const right of rights.slice(1)) {
        right.checked = false;
        right.disabled = true;
      }
      for (const part of extraParts) {
        part.hidden = true;
      }
      showIssues([]);
    },
    focusField(field, options = {}) {
      texts[field === RIGHT_FIELD ? 1 : field].focus(options);
    },
    fieldOf(element) {
      return element && element.dataset && element.dataset.field !== undefined
        ? Number(element.dataset.field) : -1;
    },
  };
}
