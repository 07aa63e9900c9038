#include "memory/cluster_info.h"

#include <algorithm>

namespace {

constexpr int kFallbackBlockSize = 32;

}  // namespace

TClusterList BuildClusters(const std::vector<bool>& marks, int size, int blockSize) {
  const int block = blockSize > 0 ? blockSize : kFallbackBlockSize;
  const int end = std::min(size, static_cast<int>(marks.size()));
  TClusterList runs;
  int start = -1;
  int count = 0;
  for (int i = 0; i < end; ++i) {
    const bool marked = marks[static_cast<size_t>(i)];
    if (marked) {
      if (start == -1) start = i;
      ++count;
    }
    const bool pageEnds = start != -1 && (start + count) % block == 0;
    if (pageEnds || count == block || (!marked && start != -1)) {
      runs.push_back({start, count});
      start = -1;
      count = 0;
    }
  }
  if (start != -1) runs.push_back({start, count});
  return runs;
}
