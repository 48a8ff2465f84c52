#pragma once

// The start of a command-line tool: its arguments as UTF-8 on every system, and on Windows a
// console that shows UTF-8 and output that keeps its LF line ends.

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
// shellapi.h needs windows.h first.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

namespace console {

#ifdef _WIN32
// Windows hands main() its arguments in the local code page, where a typed ° or an accent is not
// UTF-8; its wide command line has them whole.
inline std::vector<std::string> Utf8Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
        arguments.push_back(std::move(argument));
    }
    LocalFree(wide);
    return arguments;
}
#endif

// Runs the tool on its arguments (without the program's name) and returns its exit status.
inline int Main(int argc, char** argv, int (*run)(const std::vector<std::string>&)) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    return run(Utf8Arguments());
#else
    return run(std::vector<std::string>(argv + 1, argv + argc));
#endif
}

}  // namespace console
