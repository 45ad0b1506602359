// SPDX-License-Identifier: MIT
// A list box of the editor that draws only the rows in sight, so that a bank of 32767 questions
// scrolls as smoothly as one of five: every row is one line of the same height. Up, Down,
// Page Up, Page Down, Home and End choose a row; Enter or a click activates it; a row dragged
// onto another moves there, where the list allows it.
const SPARE_ROWS = 8;

// element: the list box; source: {count(), text(row), flag(row) -> "error"|"warning"|"",
// choose(row), activate(row), move(from, to) or null}.
export function createList(element, source, idPrefix) {
  element.setAttribute("role", "listbox");
  element.tabIndex = 0;
  element.classList.add("vlist");
  const spacer = document.createElement("div");
  spacer.className = "vlist-spacer";
  element.append(spacer);
  let current = -1;
  let rowHeight = 0;
  let drawn = new Map();

  const heightOfRow = () => {
    if (rowHeight === 0) {
      rowHeight = parseFloat(getComputedStyle(element).getPropertyValue("--row-height")) || 22;
    }
    return rowHeight;
  };

  const paintRow = (item, row) => {
    item.textContent = source.text(row);
    item.dataset.flag = source.flag(row);
    item.setAttribute("aria-selected", String(row === current));
    item.setAttribute("aria-posinset", String(row + 1));
    item.setAttribute("aria-setsize", String(source.count()));
    item.style.top = `${row * heightOfRow()}px`;
  };

  const draw = () => {
    const count = source.count();
    const height = heightOfRow();
    spacer.style.height = `${count * height}px`;
    const first = Math.max(0, Math.floor(element.scrollTop / height) - SPARE_ROWS);
    const last = Math.min(count - 1,
                          Math.ceil((element.scrollTop + element.clientHeight) / height) + SPARE_ROWS);
    const kept = new Map();
    for (let row = first; row <= last; ++row) {
      let item = drawn.get(row);
      if (item === undefined) {
        item = document.createElement("div");
        item.className = "vlist-row";
        item.id = `${idPrefix}-${row}`;
        item.setAttribute("role", "option");
        item.dataset.row = String(row);
        item.draggable = source.move !== null;
        spacer.append(item);
      }
      drawn.delete(row);
      kept.set(row, item);
      paintRow(item, row);
    }
    for (const item of drawn.values()) {
      item.remove();
    }
    drawn = kept;
    if (current >= 0 && current < count) {
      element.setAttribute("aria-activedescendant", `${idPrefix}-${current}`);
    } else {
      element.removeAttribute("aria-activedescendant");
    }
  };

  const scrollToRow = (row) => {
    const height = heightOfRow();
    const top = row * height;
    if (top < element.scrollTop) {
      element.scrollTop = top;
    } else if (top + height > element.scrollTop + element.clientHeight) {
      element.scrollTop = top + height - element.clientHeight;
    }
  };

  const select = (row, tell = true) => {
    const count = source.count();
    if (count === 0) {
      current = -1;
      draw();
      return;
    }
    current = Math.max(0, Math.min(count - 1, row));
    scrollToRow(current);
    draw();
    if (tell) {
      source.choose(current);
    }
  };

  element.addEventListener("scroll", draw, { passive: true });
  // A list taken by Tab or its key with no row chosen chooses its first, so Enter has one to go to.
  element.addEventListener("focus", () => {
    if (current < 0) {
      select(0);
    }
  });
  element.addEventListener("keydown", (event) => {
    if (event.altKey || event.ctrlKey || event.metaKey) {
      return;
    }
    const page = Math.max(1, Math.floor(element.clientHeight / heightOfRow()) - 1);
    const steps = { ArrowUp: -1, ArrowDown: 1, PageUp: -page, PageDown: page };
    if (event.key in steps) {
      select(current + steps[event.key]);
    } else if (event.key === "Home") {
      select(0);
    } else if (event.key === "End") {
      select(source.count() - 1);
    } else if (event.key === "Enter" && current >= 0) {
      source.activate(current);
    } else {
      return;
    }
    event.preventDefault();
  });
  element.addEventListener("click", (event) => {
    const item = event.target.closest(".vlist-row");
    if (item) {
      select(Number(item.dataset.row));
      source.activate(current);
    }
  });

  if (source.move !== null) {
    let dragged = -1;
    const rowAt = (event) => {
      const top = event.clientY - spacer.getBoundingClientRect().top;
      return Math.max(0, Math.min(source.count() - 1, Math.floor(top / heightOfRow())));
    };
    element.addEventListener("dragstart", (event) => {
      const item = event.target.closest(".vlist-row");
      dragged = item ? Number(item.dataset.row) : -1;
      event.dataTransfer.effectAllowed = "move";
      event.dataTransfer.setData("text/plain", String(dragged + 1));
    });
    element.addEventListener("dragover", (event) => {
      if (dragged >= 0) {
        event.preventDefault();
        event.dataTransfer.dropEffect = "move";
      }
    });
    element.addEventListener("drop", (event) => {
      if (dragged < 0) {
        return;
      }
      // A question dropped on a row takes that row's place.
      event.preventDefault();
      event.stopPropagation();
      const to = rowAt(event);
      const from = dragged;
      dragged = -1;
      if (to !== from) {
        source.move(from, to);
      }
    });
    element.addEventListener("dragend", () => {
      dragged = -1;
    });
  }

  return {
    get current() {
      return current;
    },
    select,
    // Every row drawn again: after the rows, their count or their texts changed.
    refresh() {
      rowHeight = 0;
      if (current >= source.count()) {
        current = source.count() - 1;
      }
      draw();
    },
    // One row drawn again, where it is in sight.
    refreshRow(row) {
      const item = drawn.get(row);
      if (item !== undefined) {
        paintRow(item, row);
      }
    },
  };
}
