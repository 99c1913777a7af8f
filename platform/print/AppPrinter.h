#pragma once
// The program's printer settings, shared by Print Setup and every print and preview.
// The application owns the printer and registers it; none before that (tests).
class QPrinter;

void SetAppPrinter(QPrinter* pPrinter);
QPrinter* GetAppPrinter();
