#pragma once

// One test program holds the test classes of an area. Each class registers itself with
// TESMORA_TEST(Class) in its own file; the program's main() runs them in turn, or only the class
// named as its first argument (the rest are Qt Test's usual arguments):
//   tst_player                       every class
//   tst_player TestPlayer -v2        one class, verbose
//   tst_player TestPlayer unreadableFolder

#include <QObject>
#include <functional>
#include <memory>

namespace tesmora::testing {

using MakeTest = std::function<std::unique_ptr<QObject>()>;

// Registers a test class under its name; called at static initialisation.
bool registerTest(const char *name, MakeTest make);

// The name of the class whose tests run now, for a test that runs its program again.
const char *currentTestClass();

} // namespace tesmora::testing

#define TESMORA_TEST(Class)                                                                        \
    namespace {                                                                                    \
    [[maybe_unused]] const bool registered##Class = tesmora::testing::registerTest(                \
        #Class, [] { return std::unique_ptr<QObject>(new Class); });                               \
    }
