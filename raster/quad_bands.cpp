// The second drawing thread: it waits for a band of rows of a large quad, draws it and reports back.
#include "raster/quad_bands.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <utility>

namespace {

// Below this many pixels handing half a quad over costs more than it saves: waking the helper and
// being woken by it take some tens of microseconds each on a virtual machine, and with the vector
// row loops a pixel takes well under a nanosecond. At 16,000 the fleet under fire took more
// processor and more wall time on two threads than on one.
constexpr long kDefaultThreshold = 60000;

// How long the poster waits awake for the helper's half before it sleeps on the band's word.
constexpr std::chrono::microseconds kAwakeWait{30};

enum class Band { kNone, kPosted, kDone };

std::thread helper;
std::mutex handOver;
std::condition_variable posted;
std::atomic<Band> band{Band::kNone};
bool stopping = false;  // guarded by handOver

// The band handed over: valid from posting until the helper reports it done.
const QuadPaint* bandQuad = nullptr;
const RowKernels* bandKernels = nullptr;
PixelArea bandTarget;
int bandFirstRow = 0;
int bandEndRow = 0;

long threshold = kDefaultThreshold;

// Sleeps until a band is posted; false once the thread is to stop. Sleeping at once costs a
// wake-up of some microseconds per band, which the poster spends drawing its own half; keeping
// awake between bands would cost a core's time.
bool WaitForBand() {
  std::unique_lock<std::mutex> lock(handOver);
  posted.wait(lock, [] { return stopping || band.load(std::memory_order_acquire) == Band::kPosted; });
  return !stopping;
}

void HelperLoop() {
  while (WaitForBand()) {
    RasteriseQuad(*bandQuad, bandTarget, bandFirstRow, bandEndRow, *bandKernels);
    band.store(Band::kDone, std::memory_order_release);
    band.notify_one();
  }
}

bool HelperAvailable() {
  if (helper.joinable()) return true;
  if (std::thread::hardware_concurrency() < 2) return false;
  // A program that ends without shutting the layer down must still end the thread before the
  // objects it waits on are destroyed.
  static const bool stoppedAtExit = std::atexit(StopBandThread) == 0;
  if (!stoppedAtExit) return false;
  stopping = false;
  band.store(Band::kNone);
  helper = std::thread(HelperLoop);
  return true;
}

// The rows the quad's corners span on the target, and how many pixels its bounding box covers there.
// False for a quad with a corner that is not a finite number: it covers nothing.
bool RowsAndArea(const QuadPaint& quad, PixelArea target, int& firstRow, int& endRow, double& area) {
  for (int k = 0; k < 4; ++k) {
    if (!std::isfinite(quad.x[k]) || !std::isfinite(quad.y[k])) return false;
  }
  const double top = std::min({quad.y[0], quad.y[1], quad.y[2], quad.y[3]});
  const double bottom = std::max({quad.y[0], quad.y[1], quad.y[2], quad.y[3]});
  const double left = std::min({quad.x[0], quad.x[1], quad.x[2], quad.x[3]});
  const double right = std::max({quad.x[0], quad.x[1], quad.x[2], quad.x[3]});
  const double clippedTop = std::clamp(top, 0.0, double(target.height));
  const double clippedBottom = std::clamp(bottom, 0.0, double(target.height));
  const double width =
      std::clamp(right, 0.0, double(target.width)) - std::clamp(left, 0.0, double(target.width));
  firstRow = int(std::floor(clippedTop));
  endRow = int(std::ceil(clippedBottom));
  area = (clippedBottom - clippedTop) * width;
  return true;
}

}  // namespace

void DrawQuadInBands(const QuadPaint& quad, PixelArea target, const RowKernels& kernels) {
  int firstRow = 0;
  int endRow = 0;
  double area = 0;
  if (!RowsAndArea(quad, target, firstRow, endRow, area)) return;
  if (area < double(threshold) || endRow - firstRow < 2 || !HelperAvailable()) {
    RasteriseQuad(quad, target, 0, target.height, kernels);
    return;
  }
  const int middle = firstRow + (endRow - firstRow) / 2;
  {
    const std::lock_guard<std::mutex> lock(handOver);
    bandQuad = &quad;
    bandKernels = &kernels;
    bandTarget = target;
    bandFirstRow = middle;
    bandEndRow = endRow;
    band.store(Band::kPosted, std::memory_order_release);
  }
  posted.notify_one();
  RasteriseQuad(quad, target, firstRow, middle, kernels);
  // The helper is mostly done soon after this half: a short wait awake saves the wake-up. A helper
  // woken late is waited for asleep, so that it does not cost this thread as much time as it waits.
  const auto awakeUntil = std::chrono::steady_clock::now() + kAwakeWait;
  while (band.load(std::memory_order_acquire) != Band::kDone &&
         std::chrono::steady_clock::now() < awakeUntil) {
  }
  for (Band now = band.load(std::memory_order_acquire); now != Band::kDone;
       now = band.load(std::memory_order_acquire)) {
    band.wait(now, std::memory_order_acquire);
  }
  band.store(Band::kNone, std::memory_order_relaxed);
}

void StopBandThread() {
  if (!helper.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(handOver);
    stopping = true;
  }
  posted.notify_one();
  helper.join();
}

long SetBandThreshold(long pixels) {
  return std::exchange(threshold, pixels);
}
