// When a paced frame is shown and when its input is read: the arithmetic of the frame pacing, on
// counter values that the caller reads and passes in.
//
// A frame is shown once more than a period has passed since the previous show, however long it
// took to draw, so frames that are ready in time are evenly spaced; one that is late is shown at
// once and the beat goes on from it. The first frame after the start is shown at once and its
// present lasts a period. The first input poll of a frame waits until as late as the
// recent frames allow: the show time less their work (from reading input to being ready) and a
// margin. Frames are learnt in four kinds, because a heavy frame (a volley fired right in front of
// the viewer) and the two after it (its shots still near) cost far more than the others: each
// kind's budget is the work of the last ordinary frame plus what frames of that kind took beyond it
// lately. The game tells when the next volley falls due; a frame whose input is read from then on
// fires it and is heavy, so its input is read as early as a heavy frame needs. A volley that falls
// due too late for that waits for the next frame: the input is read just before it.
#pragma once

#include <limits>

// A wait that ends at once.
constexpr long long kAtOnce = std::numeric_limits<long long>::min();
// No heavy frame announced.
constexpr long long kNoHeavyFrame = std::numeric_limits<long long>::max();

// A heavy frame, the two after it, and the rest.
enum FrameKind { kHeavyFrame, kFirstAfterHeavy, kSecondAfterHeavy, kOrdinaryFrame, kFrameKinds };

// The last few work times of one kind of frame beyond the ordinary level, in ticks.
struct WorkExcesses {
  static constexpr int kKept = 8;
  long long ticks[kKept] = {};  // a ring of the latest values
  int count = 0;                // values kept, up to kKept
  int next = 0;                 // slot that the next value goes to
};

struct FrameSchedule {
  long long period = 0;      // ticks between two shows; 0 = no pacing
  long long margin = 0;      // ticks added to every budget: what the estimate does not foresee
  long long lastShow = 0;    // counter at the end of the previous wait for a show
  bool shown = false;        // a frame was shown since the schedule started
  long long workStart = 0;   // counter when this frame began: its first input poll, else the last show
  bool workStarted = false;  // workStart holds a value
  bool inputRead = false;    // this frame polled input since the last show
  long long heavyFrom = kNoHeavyFrame;  // counter from which this frame's input makes it heavy
  int sinceHeavy = kOrdinaryFrame;      // frames since the last heavy one (0: this one), up to kOrdinaryFrame
  long long ordinaryWork = -1;          // work of the last ordinary frame, ticks; -1 = none yet
  WorkExcesses excesses[kFrameKinds];
};

// A schedule that has shown nothing and learnt nothing (SetFrameRate).
FrameSchedule StartFrameSchedule(long long period, long long margin);

// The game's word, before the coming frame reads its input, that the frame is heavy if it reads its
// input at counter `from` or later (a held trigger fires a volley then). Holds until the next show.
void ExpectHeavyFrom(FrameSchedule& schedule, long long from);

// The counter value that the first input poll of a frame waits for; kAtOnce when nothing is known
// about frames of its kind yet, for every later poll of the frame, and without pacing.
long long InputReadTime(const FrameSchedule& schedule);

// An input poll at `now`; the first of a frame starts the frame's work and settles whether it is
// heavy.
void InputRead(FrameSchedule& schedule, long long now);

// A frame ready at `now`: learns its work and gives the counter value that it is shown at, more
// than a period after the previous show; kAtOnce for the first frame after the start and without
// pacing.
long long FrameReady(FrameSchedule& schedule, long long now);

// The show of a frame whose wait ended at `now`: the next period counts from here. Gives the counter
// value that the present waits for after the show: a full period after the first show since the
// start, else kAtOnce. The end of that wait counts as the show (FrameShown again).
long long FrameShown(FrameSchedule& schedule, long long now);
