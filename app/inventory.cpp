#include "app/inventory.h"

#include "about/about.h"
#include "about/abouttexts.h"

#include <cstring>

namespace tesmora {

namespace {

constexpr FontSpec bold(double points)
{
    return {"MS Sans Serif", points, true};
}

const ControlSpec rows[] = {
#define CONTROL(control, type, in, ...)                                                            \
    {.name = #control, .kind = Kind::type, .container = #in __VA_OPT__(, ) __VA_ARGS__},
#include "app/inventory.def"
#undef CONTROL
};

} // namespace

std::span<const ControlSpec> inventory()
{
    return rows;
}

const ControlSpec *findControl(const char *name)
{
    for (const ControlSpec &row : rows)
        if (std::strcmp(row.name, name) == 0)
            return &row;
    return nullptr;
}

} // namespace tesmora
