// A DLL that exports none of the port-I/O functions, to stand where
// WinIo64.dll is expected.
extern "C" __declspec(dllexport) int NotThePortLibrary()
{
    return 0;
}
