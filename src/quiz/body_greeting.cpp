// The stored last score and the greeting at start-up (issue #3 builds them).
#include "body.hpp"

namespace vornikat {

void Body::GreetAtStartup() {}

void Body::GreetReturningUser() {}

void Body::SaveLastScore(const float& /*percent*/) {}

}  // namespace vornikat
