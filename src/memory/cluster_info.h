#pragma once

#include <vector>

// One contiguous run of bytes moved by a single transfer.
struct TClusterInfo {
  int Start = 0;
  int Count = 0;

  friend bool operator==(const TClusterInfo&, const TClusterInfo&) = default;
};

using TClusterList = std::vector<TClusterInfo>;

// The runs of marked bytes among the first `size` marks. A run never crosses a multiple of
// `blockSize` (a module memory page) and never exceeds it; a block size below 1 counts as 32.
TClusterList BuildClusters(const std::vector<bool>& marks, int size, int blockSize);
