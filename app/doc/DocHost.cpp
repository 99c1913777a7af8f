#include "app/doc/DocHost.h"

namespace {
DocHost g_DocHost;
}

void SetDocHost(const DocHost& host)
{
    g_DocHost = host;
}

const DocHost& GetDocHost()
{
    return g_DocHost;
}
