// The component starts before any test of the program, as it starts before
// the editor's own code in Tessaly.exe, and ends after the last.
#include <gtest/gtest.h>

#include "editor/crashreport/core/capture/CoreState.h"

namespace {
class ComponentRunning : public ::testing::Environment {
public:
    void SetUp() override { ZorvikCoreInit(); }
    void TearDown() override { ZorvikCoreDone(); }
};
const auto* const component = ::testing::AddGlobalTestEnvironment(new ComponentRunning);
}  // namespace
