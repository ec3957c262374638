// For a test program whose panel starts up on the one queue it makes, in a prefix of its
// own: that prefix may still hold a queue of an earlier run that was stopped halfway, and
// start-up must find exactly the one queue of the printer's driver each test makes.
#pragma once

#include "tests/win/panel_test_support.h"
#include "tools/queue_admin.h"

#include <gtest/gtest.h>

namespace sb::test {

class OnlyOurQueues : public ::testing::Environment {
public:
    void SetUp() override {
        for (const QueueInfo& queue : ListQueues()) {
            if (queue.driver == kDriver) {
                RemoveQueue(queue.name);
            }
        }
    }
};

} // namespace sb::test
