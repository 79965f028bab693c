// Row work shared with the helper thread: every row is done exactly once, whatever the
// count, and frame after frame (the helper sleeps between calls and must wake for
// each). Run under ThreadSanitizer as well.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ddraw/row_split.h"

namespace {

TEST(SplitRows, DoesEveryRowOnceForAnyCountAndAcrossCalls) {
    for (int rows : {0, 1, 63, 64, 65, 480, 1081}) {
        SCOPED_TRACE(rows);
        std::vector<int> visits(rows, 0);
        for (int call = 0; call < 50; ++call) {
            auto work = [&](int begin, int end) {
                for (int row = begin; row < end; ++row) ++visits[row];
            };
            vorn::platform::SplitRows(rows, work);
        }
        for (int row = 0; row < rows; ++row) ASSERT_EQ(visits[row], 50) << row;
    }
}

}  // namespace
