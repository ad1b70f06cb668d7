#include "tests/support/testmain.h"

#include "app/application.h"

#include <QTest>
#include <string>
#include <vector>

namespace tesmora::testing {

namespace {

struct Registered
{
    std::string name;
    MakeTest make;
};

std::vector<Registered> &registry()
{
    static std::vector<Registered> tests;
    return tests;
}

const char *running = "";

} // namespace

bool registerTest(const char *name, MakeTest make)
{
    registry().push_back({name, std::move(make)});
    return true;
}

const char *currentTestClass()
{
    return running;
}

} // namespace tesmora::testing

int main(int argc, char **argv)
{
    using namespace tesmora::testing;
    // The program's own application object, which reports a failure escaping a handler.
    tesmora::Application app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    QTEST_SET_MAIN_SOURCE_PATH
    std::vector<char *> args(argv, argv + argc);
    std::string only;
    if (argc > 1 && argv[1][0] != '-') {
        for (const Registered &t : registry())
            if (t.name == argv[1])
                only = t.name;
        if (!only.empty())
            args.erase(args.begin() + 1);
    }
    int failed = 0;
    for (const Registered &t : registry()) {
        if (!only.empty() && t.name != only)
            continue;
        running = t.name.c_str();
        const std::unique_ptr<QObject> test = t.make();
        failed += QTest::qExec(test.get(), int(args.size()), args.data()) != 0;
    }
    running = "";
    return failed == 0 ? 0 : 1;
}
