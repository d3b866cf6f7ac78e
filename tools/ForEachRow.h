// Spreads the rows of a generated picture over all cores.
#pragma once
#include <algorithm>
#include <functional>
#include <thread>
#include <vector>

namespace mediagen {

// Runs row(y) for every y in [0, rows) on all cores; each row must touch only its own pixels.
inline void forEachRow(int rows, const std::function<void(int)>& row) {
    const int workers = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> pool;
    for (int w = 0; w < workers; ++w)
        pool.emplace_back([&, w] {
            for (int y = w; y < rows; y += workers) row(y);
        });
    for (std::thread& t : pool) t.join();
}

}  // namespace mediagen
