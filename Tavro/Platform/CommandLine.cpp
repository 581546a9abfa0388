#include "Tavro/Platform/CommandLine.h"

#include <algorithm>
#include <array>

namespace tavro::CommandLine {

namespace {

// Qt's own options that take the next argument as their value: QGuiApplication's, QApplication's
// and the xcb platform's. Their values are never links, whether or not the platform in use reads
// them.
constexpr std::array<std::string_view, 16> kQtOptionsWithValue = {"-platform", "-platformpluginpath", "-platformtheme",
    "-plugin", "-qwindowgeometry", "-qwindowtitle", "-qwindowicon", "-geometry", "-title", "-icon", "-session",
    "-style", "-stylesheet", "-display", "-name", "-visual"};

bool takesValue(std::string_view option)
{
    if (option.starts_with("--"))
        option.remove_prefix(1);
    return std::ranges::find(kQtOptionsWithValue, option) != kQtOptionsWithValue.end();
}

} // namespace

std::vector<std::size_t> linkArguments(const std::vector<std::string_view>& arguments)
{
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument.empty())
            continue;
        if (argument.front() != '-')
            found.push_back(i);
        else if (takesValue(argument))
            ++i;
    }
    return found;
}

std::vector<std::string_view> arguments(int argc, char** argv)
{
    return std::vector<std::string_view>(argv + std::min(argc, 1), argv + argc);
}

bool asksForDiagnostics(const std::vector<std::string_view>& arguments)
{
    return std::ranges::any_of(
        arguments, [](std::string_view a) { return a == "--diagnose-safari" || a == "--test-safari-launch"; });
}

} // namespace tavro::CommandLine
