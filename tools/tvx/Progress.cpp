#include "tools/tvx/Progress.h"

#include <string>
#include <variant>

namespace tvx::tool {

void ShowProgressOn(memhost::MemHost& host, std::ostream& err) {
    struct Bar {
        std::string title;
        int tenth = -1;
    };
    host.session().SetObserver([&err, bar = Bar{}](const memhost::SessionEvent& event) mutable {
        if (const auto* start = std::get_if<memhost::ProgressStartEvent>(&event)) {
            bar = Bar{start->title, 0};
            err << "tvx: " << bar.title << '\n';
        } else if (const auto* update = std::get_if<memhost::ProgressUpdateEvent>(&event)) {
            if (update->title) {
                bar.title = *update->title;
            }
            if (update->percent / 10 > bar.tenth) {
                bar.tenth = update->percent / 10;
                err << "tvx: " << bar.title << ' ' << update->percent << "%\n";
            }
        }
    });
}

}  // namespace tvx::tool
