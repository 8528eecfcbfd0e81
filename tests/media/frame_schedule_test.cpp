// Tests of the frame schedule on a fake counter: when frames are shown and when their input is read.
#include "media/frame_schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr long long kPeriod = 1000;  // ticks
constexpr long long kMargin = 10;

struct Frame {
  long long inputRead;  // counter when the frame's input was read
  long long shown;      // counter at its show
};

// The pacing layer's part on a fake counter: a frame that takes `work` ticks from reading its
// input (or from the last show, if it reads none) to being ready, read and shown as the schedule
// says, never before `now`.
class FakeGame {
 public:
  FrameSchedule schedule = StartFrameSchedule(kPeriod, kMargin);
  long long now = 50000;
  long long lateWake = 0;  // ticks by which the wait after the first show ends late

  Frame Run(long long work, bool heavy = false, bool readsInput = true) {
    if (heavy) ExpectHeavyFrom(schedule, now);  // a volley already due
    if (readsInput) {
      now = std::max(now, InputReadTime(schedule));
      InputRead(schedule, now);
    }
    const Frame frame{now, std::max(now + work, FrameReady(schedule, now + work))};
    now = frame.shown;
    const long long holdUntil = FrameShown(schedule, now);
    if (holdUntil != kAtOnce) {
      now = holdUntil + lateWake;
      FrameShown(schedule, now);
    }
    return frame;
  }
};

TEST(FrameSchedule, ShowsFramesMoreThanAPeriodApartHoweverLongTheyTake) {
  FakeGame game;
  game.lateWake = 70;
  const Frame first = game.Run(300);
  EXPECT_EQ(first.shown, first.inputRead + 300) << "the first frame after the start is shown when ready";
  EXPECT_EQ(game.now, first.shown + kPeriod + 1 + 70) << "and its present lasts a full period";
  long long last = game.now;  // the beat counts from the end of that present, however late it ended
  for (long long work : {100, 700, 250, 20, 900, 400}) {
    const Frame frame = game.Run(work, false, false);
    EXPECT_EQ(frame.shown - last, kPeriod + 1) << "a frame of " << work << " ticks is shown on the beat";
    last = frame.shown;
  }
}

TEST(FrameSchedule, ALateFrameIsShownAtOnceAndTheBeatGoesOnFromIt) {
  FakeGame game;
  game.Run(100);
  const Frame onTime = game.Run(100);
  const Frame late = game.Run(2500);
  EXPECT_EQ(late.shown, late.inputRead + 2500) << "a frame ready after its time is shown when ready";
  EXPECT_GT(late.shown - onTime.shown, kPeriod);
  const Frame next = game.Run(100);
  EXPECT_EQ(next.shown - late.shown, kPeriod + 1) << "the next frame comes a whole period after the late one";
}

TEST(FrameSchedule, ReadsInputWhenNothingIsKnownAndWithoutPacing) {
  FrameSchedule schedule = StartFrameSchedule(kPeriod, kMargin);
  EXPECT_EQ(InputReadTime(schedule), kAtOnce) << "before the first show input is read at once";
  FakeGame game;
  game.Run(200);
  ExpectHeavyFrom(game.schedule, game.now);
  EXPECT_EQ(InputReadTime(game.schedule), kAtOnce) << "nor is it delayed for a kind of frame not seen yet";

  FrameSchedule unpaced = StartFrameSchedule(0, kMargin);
  for (int frame = 0; frame < 3; ++frame) {
    EXPECT_EQ(InputReadTime(unpaced), kAtOnce) << "rate 0 never waits";
    InputRead(unpaced, 100 * frame);
    EXPECT_EQ(FrameReady(unpaced, 100 * frame + 50), kAtOnce) << "rate 0 never waits";
    EXPECT_EQ(FrameShown(unpaced, 100 * frame + 50), kAtOnce) << "rate 0 never waits";
  }
}

TEST(FrameSchedule, ReadsInputAsLateAsTheRecentFramesAllow) {
  FakeGame game;
  for (int frame = 0; frame < 10; ++frame) game.Run(200);
  const Frame steady = game.Run(200);
  EXPECT_EQ(steady.shown - steady.inputRead, 200 + kMargin)
      << "steady frames read their input their work and the margin before the show";
  for (int frame = 0; frame < 7; ++frame) game.Run(frame == 2 ? 700 : 200);
  const Frame afterSlow = game.Run(200);
  EXPECT_EQ(afterSlow.shown - afterSlow.inputRead, 200 + kMargin)
      << "one slow frame among the last eight leaves the budget as it was";

  FakeGame polls;
  for (int frame = 0; frame < 10; ++frame) polls.Run(200);
  const long long readAt = InputReadTime(polls.schedule);
  InputRead(polls.schedule, readAt);
  EXPECT_EQ(InputReadTime(polls.schedule), kAtOnce) << "only the first poll of a frame waits";
  InputRead(polls.schedule, readAt + 200);
  const long long showAt = FrameReady(polls.schedule, readAt + 300);
  FrameShown(polls.schedule, showAt);
  EXPECT_EQ(InputReadTime(polls.schedule), showAt + kPeriod + 1 - 300 - kMargin)
      << "a frame's work counts from its first poll";
}

// What a frame takes in the heavy test below: a heavy frame every sixth, the two after it still
// costlier than the rest.
long long HeavyCycleWork(int frame) {
  static constexpr long long kWork[6] = {700, 400, 300, 200, 200, 200};
  return kWork[frame % 6];
}

TEST(FrameSchedule, HeavyFramesAndTheTwoAfterThemAreLearntApart) {
  FakeGame game;
  std::vector<Frame> frames;
  // Then the scene grows: every kind takes 100 ticks more.
  for (int frame = 0; frame < 132; ++frame) {
    const long long extra = frame >= 60 ? 100 : 0;
    frames.push_back(game.Run(HeavyCycleWork(frame) + extra, frame % 6 == 0));
  }
  for (int frame = 64; frame < 132; ++frame) {
    EXPECT_EQ(frames[frame].shown - frames[frame - 1].shown, kPeriod + 1)
        << "frame " << frame << " is on the beat soon after the scene grew";
  }
  // The frames of each kind that straddled the growth are forgotten after eight of their kind.
  for (int frame = 114; frame < 132; ++frame) {
    EXPECT_EQ(frames[frame].shown - frames[frame].inputRead, HeavyCycleWork(frame) + 100 + kMargin)
        << "frame " << frame << " reads its input as late as its kind allows";
  }

  // One heavy frame much slower than the rest: the next heavy ones keep room for it, while the
  // ordinary frames after it keep their budget.
  game.Run(900, true);
  for (int frame = 1; frame < 6; ++frame) game.Run(HeavyCycleWork(frame) + 100);
  const Frame heavy = game.Run(800, true);
  EXPECT_EQ(heavy.shown - heavy.inputRead, 900 + kMargin) << "the largest recent heavy frame sets the budget";
  const Frame ordinary = game.Run(500);
  EXPECT_EQ(ordinary.shown - ordinary.inputRead, 500 + kMargin);
}

TEST(FrameSchedule, AVolleyMakesHeavyTheFrameWhoseInputIsReadWhenItIsDue) {
  FakeGame game;
  for (int frame = 0; frame < 60; ++frame) game.Run(HeavyCycleWork(frame), frame % 6 == 0);
  for (int frame = 60; frame < 63; ++frame) game.Run(200);  // two after-heavy frames, then ordinary
  const long long showAt = game.now + kPeriod + 1;
  const long long heavyRead = showAt - 700 - kMargin;
  const long long ordinaryRead = showAt - 200 - kMargin;

  ExpectHeavyFrom(game.schedule, ordinaryRead + 1);
  EXPECT_EQ(InputReadTime(game.schedule), ordinaryRead) << "a volley due after the read changes nothing";
  ExpectHeavyFrom(game.schedule, heavyRead - 5);
  EXPECT_EQ(InputReadTime(game.schedule), heavyRead)
      << "one due by the heavy read time makes the frame heavy";
  ExpectHeavyFrom(game.schedule, heavyRead + 100);
  EXPECT_EQ(InputReadTime(game.schedule), heavyRead + 100 - kMargin)
      << "one due too late for a heavy frame is left to the next: the input is read just before it";

  // Read then, the frame is ordinary, and the next one, reading after the volley fell due, is heavy.
  const long long readAt = InputReadTime(game.schedule);
  InputRead(game.schedule, readAt);
  FrameShown(game.schedule, FrameReady(game.schedule, readAt + 200));
  EXPECT_EQ(game.schedule.sinceHeavy, kOrdinaryFrame) << "still ordinary";
  ExpectHeavyFrom(game.schedule, heavyRead + 100);
  const long long nextShow = game.schedule.lastShow + kPeriod + 1;
  EXPECT_EQ(InputReadTime(game.schedule), nextShow - 700 - kMargin);
  InputRead(game.schedule, nextShow - 700 - kMargin);
  EXPECT_EQ(game.schedule.sinceHeavy, kHeavyFrame);
}

}  // namespace
