// How the parameter record passes between the host's thread and the audio thread.
//
// The thread that runs the engine (the audio thread; the host's thread while no
// block can run) owns the live record. A record the host loads is posted here
// and taken by that thread at the start of its next block; whenever a block
// changes the record, the engine's thread publishes it. The host's questions
// (getState, getTailSamples) are answered from here: from the posted record
// until it has been taken, from the published one after that, so the answer is
// always one whole record and never an older one. The engine's thread never
// waits; a host-side read that overlaps a publication copies again.
#pragma once

#include "source/processor/plugstate.h"
#include "source/processor/snapshotcell.h"

namespace Steinberg::Vst {

class StateHandOver {
public:
    // A record and the gate time (ms) it gives, which sets the tail.
    struct Report {
        PlugState record;
        double gateMs = 0.0;
    };

    // Host's thread (one at a time, as setState and getState are called).
    void post(const Report& loaded);
    Report current() const;

    // Engine's thread. take() yields the newest record posted since the last take.
    bool take(PlugState& record);
    void publish(const Report& inForce);

private:
    struct Published {
        Report report;
        uint64 postsTaken = 0;  // the posts `report` already includes
    };

    SnapshotCell<Report> posted;
    SnapshotCell<Published> published{Published{Report{PlugState::defaults(), 0.0}, 0}};
    uint64 postsTaken = 0;  // engine's thread only
};

}  // namespace Steinberg::Vst
