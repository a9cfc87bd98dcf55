#include "framework/Exception.h"
#include "framework/MessageBox.h"

int CException::ReportError(UINT nType, UINT nMessageID) {
  char szMessage[512];
  if (GetErrorMessage(szMessage, sizeof(szMessage)) && szMessage[0] != 0) return AfxMessageBox(szMessage, nType);
  if (nMessageID != 0) return AfxMessageBox(nMessageID, nType);
  return AfxMessageBox("An unknown error has occurred.", nType);
}
