// Collects what a host service reports, for the host tests.
#pragma once

#include <string>
#include <vector>

#include "host/ReferenceHost.h"

namespace orvane::host::testing {

struct EventRecorder {
    explicit EventRecorder(EventHub& hub)
    {
        hub.SetListener([this](const HostEvent& ev) { events.push_back(ev); });
    }

    std::vector<HostEvent> Of(HostEvent::Kind kind) const
    {
        std::vector<HostEvent> out;
        for (const HostEvent& ev : events) {
            if (ev.kind == kind)
                out.push_back(ev);
        }
        return out;
    }

    std::vector<HostEvent> events;
};

}  // namespace orvane::host::testing
