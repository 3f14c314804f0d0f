#include "source/processor/statehandover.h"

namespace Steinberg::Vst {

void StateHandOver::post(const Report& loaded)
{
    posted.store(loaded);
}

StateHandOver::Report StateHandOver::current() const
{
    // The published record first: a post it does not include yet is the newer one.
    const Published inForce = published.load();
    uint64 posts = 0;
    const Report latest = posted.load(&posts);
    return posts != inForce.postsTaken ? latest : inForce.report;
}

bool StateHandOver::take(PlugState& record)
{
    if (posted.storesBegun() == postsTaken)
        return false;
    Report latest;
    uint64 posts = 0;
    // A post being written right now is taken at the next block instead.
    if (!posted.tryLoad(latest, &posts) || posts == postsTaken)
        return false;
    postsTaken = posts;
    record = latest.record;
    return true;
}

void StateHandOver::publish(const Report& inForce)
{
    published.store(Published{inForce, postsTaken});
}

}  // namespace Steinberg::Vst
