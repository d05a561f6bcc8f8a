// Reading and writing the report choices block of the settings store.
#include "VlInterface/dialogs/printoptions.h"
#include "support/settings.h"
#include <cstring>

namespace {
constexpr const char* kPrintOptionsValue = "Output\\PrintOptionFlags";
}

bool PrintOptions_Read(PrintOptionFlags* flags)
{
    *flags = PrintOptionFlags{};
    // One byte more than the block: room for the terminator the store adds.
    char buffer[sizeof(PrintOptionFlags) + 1] = {};
    long size = 0;
    if (!Settings_Read(nullptr, kPrintOptionsValue, &size, buffer, sizeof(buffer)) ||
        size > static_cast<long>(sizeof(PrintOptionFlags)))
        return false;
    std::memcpy(flags, buffer, static_cast<size_t>(size));
    return true;
}

int PrintOptions_Write(const PrintOptionFlags& flags)
{
    return Settings_WriteBinary(nullptr, kPrintOptionsValue, sizeof(flags), &flags);
}
