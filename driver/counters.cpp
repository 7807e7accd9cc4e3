#include "driver/counters.h"

namespace zelvo::driver {

void Counters::reset()
{
    for (Counter* c : {&connects, &connectFailures, &framesSent, &sendsRefused, &kissFrames, &kissErrors,
                       &droppedOtherPort, &droppedMalformed, &droppedNotUi, &droppedIncompletePath,
                       &droppedQueueFull, &framesQueued, &droppedOtherCall, &framesDelivered})
        c->store(0);
}

FlxStats Counters::snapshot() const
{
    FlxStats s{};
    s.connects = connects.load();
    s.connect_failures = connectFailures.load();
    s.frames_sent = framesSent.load();
    s.sends_refused = sendsRefused.load();
    s.kiss_frames = kissFrames.load();
    s.kiss_errors = kissErrors.load();
    s.dropped_other_port = droppedOtherPort.load();
    s.dropped_malformed = droppedMalformed.load();
    s.dropped_not_ui = droppedNotUi.load();
    s.dropped_incomplete_path = droppedIncompletePath.load();
    s.dropped_queue_full = droppedQueueFull.load();
    s.frames_queued = framesQueued.load();
    s.dropped_other_call = droppedOtherCall.load();
    s.frames_delivered = framesDelivered.load();
    return s;
}

}  // namespace zelvo::driver
