// The end of the test (issue #3 builds the verdict).
#include "body.hpp"

namespace vornikat {

void Body::FinishTest() {
    ports_.window.SetTimerInterval(0);
    ports_.process.EndProgram();
}

void Body::ShowSplitMessage(std::u16string& /*text*/) {}

}  // namespace vornikat
