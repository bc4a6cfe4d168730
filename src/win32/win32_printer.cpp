#include "win32/win32_printer.h"

#include <commdlg.h>

#include "platform/native_text.h"
#include "report/calculation_report.h"
#include "win32/gdi_page.h"

namespace quillet {
namespace {

// The locale's paper: US Letter or A4.
short LocalePaper() {
  DWORD paper = 0;
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IPAPERSIZE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&paper),
                  sizeof paper / sizeof(wchar_t));
  return paper == DMPAPER_A4 ? DMPAPER_A4 : DMPAPER_LETTER;
}

HGLOBAL PaperSetting() {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
  if (!memory) return nullptr;
  auto* mode = static_cast<DEVMODEW*>(GlobalLock(memory));
  mode->dmSize = sizeof(DEVMODEW);
  mode->dmFields = DM_PAPERSIZE | DM_ORIENTATION;
  mode->dmPaperSize = LocalePaper();
  mode->dmOrientation = DMORIENT_PORTRAIT;
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

HDC Win32Printer::AskForPrinter() const {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.hDevMode = PaperSetting();
  dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  const BOOL chosen = PrintDlgW(&dialog);
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  return chosen ? dialog.hDC : nullptr;
}

void Win32Printer::Print(const CalculationReport& report) {
  HDC printer = choosePrinter ? choosePrinter() : AskForPrinter();
  if (!printer) return;
  // The document name is the file a PDF printer suggests.
  const std::wstring name = WideFromUtf8(SuggestedPdfName(report.job));
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = name.c_str();
  const bool started = StartDocW(printer, &document) > 0 && StartPage(printer) > 0;
  if (started) {
    PaintReportPage(printer, SheetOf(printer), report);
    EndPage(printer);
    EndDoc(printer);
  } else {
    MessageBoxW(owner_, L"The printer could not be started.", L"Print calculation", MB_ICONEXCLAMATION | MB_OK);
  }
  DeleteDC(printer);
}

void Win32Printer::SavePdf(const CalculationReport& report, const std::string&) { Print(report); }

}  // namespace quillet
