// The port-I/O functions on Windows: the real WinIo library, loaded at run
// time from the folder of lptdump.exe itself, never from the current folder
// or PATH, so that no other DLL of that name can be slipped in.
#include <windows.h>

#include <iostream>
#include <string>

#include "platform/winio.h"

namespace {

using InitializeFunction = bool(__stdcall*)();
using ShutdownFunction = void(__stdcall*)();
using GetPortValFunction = bool(__stdcall*)(WORD, PDWORD, BYTE);
using SetPortValFunction = bool(__stdcall*)(WORD, DWORD, BYTE);

HMODULE library = nullptr;
InitializeFunction libraryInitialize = nullptr;
ShutdownFunction libraryShutdown = nullptr;
GetPortValFunction libraryGetPortVal = nullptr;
SetPortValFunction librarySetPortVal = nullptr;

std::wstring LibraryPath()
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size()) {
        path.resize(path.size() * 2);
    }
    path.resize(length);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"WinIo64.dll";
}

std::string Narrow(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(size > 0 ? size - 1 : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

std::string SystemMessage(DWORD error)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 ? std::string(text, length) : "error " + std::to_string(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.')) {
        message.pop_back();
    }
    return message;
}

bool Refuse(const std::wstring& path, const std::string& what)
{
    std::cerr << "lptdump: " << Narrow(path) << ": " << what << std::endl;
    if (library != nullptr) {
        FreeLibrary(library);
        library = nullptr;
    }
    return false;
}

template <typename Function>
bool Find(Function& function, const char* name, const std::wstring& path)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr || Refuse(path, std::string("does not export ") + name);
}

}  // namespace

bool InitializeWinIo()
{
    const std::wstring path = LibraryPath();
    // The altered search path makes the DLL's own dependencies come from its folder too.
    library = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library == nullptr) {
        return Refuse(path, "cannot load: " + SystemMessage(GetLastError()));
    }
    if (!Find(libraryInitialize, "InitializeWinIo", path) || !Find(libraryShutdown, "ShutdownWinIo", path) ||
        !Find(libraryGetPortVal, "GetPortVal", path) || !Find(librarySetPortVal, "SetPortVal", path)) {
        return false;
    }
    if (!libraryInitialize()) {
        return Refuse(path, "could not start its driver (run as administrator; 64-bit Windows loads an "
                            "unsigned driver only with test signing on)");
    }
    return true;
}

void ShutdownWinIo()
{
    if (library == nullptr) {
        return;
    }
    libraryShutdown();
    FreeLibrary(library);
    library = nullptr;
}

bool GetPortVal(std::uint16_t portAddress, std::uint32_t* portValue, std::uint8_t size)
{
    if (library == nullptr) {
        return false;
    }
    DWORD value = 0;
    if (!libraryGetPortVal(portAddress, &value, size)) {
        return false;
    }
    *portValue = value;
    return true;
}

bool SetPortVal(std::uint16_t portAddress, std::uint32_t portValue, std::uint8_t size)
{
    return library != nullptr && librarySetPortVal(portAddress, portValue, size);
}
