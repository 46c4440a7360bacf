#include "memhost/Session.h"

#include <utility>

namespace memhost {

void Session::Add(SessionEvent event) {
    events_.push_back(std::move(event));
    if (observer_) {
        observer_(events_.back());
    }
}

}  // namespace memhost
