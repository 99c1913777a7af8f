#include "platform/print/AppPrinter.h"

namespace {
QPrinter* g_pPrinter = nullptr;
}

void SetAppPrinter(QPrinter* pPrinter)
{
    g_pPrinter = pPrinter;
}

QPrinter* GetAppPrinter()
{
    return g_pPrinter;
}
