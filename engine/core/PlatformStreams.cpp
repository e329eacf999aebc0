// The part of the platform layer that both systems share: their C runtimes
// both have dup, dup2, close and fileno.
#include "engine/core/Platform.h"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace ov
{
namespace platform
{

namespace
{

int g_heldStandardError = -1;
std::FILE* g_standardErrorCopy = nullptr;

} // namespace

void holdStandardError()
{
    std::fflush(stderr);
    g_standardErrorCopy = std::tmpfile();
    g_heldStandardError = g_standardErrorCopy ? dup(2) : -1;
    if (g_heldStandardError != -1)
        dup2(fileno(g_standardErrorCopy), 2);
}

std::string releaseStandardError()
{
    std::string said;
    if (g_heldStandardError == -1)
        return said;
    std::fflush(stderr);
    dup2(g_heldStandardError, 2);
    close(g_heldStandardError);
    g_heldStandardError = -1;
    std::rewind(g_standardErrorCopy);
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, g_standardErrorCopy)) > 0;)
        said.append(chunk, n);
    std::fclose(g_standardErrorCopy);
    g_standardErrorCopy = nullptr;
    return said;
}

} // namespace platform
} // namespace ov
