#include "ToolBarHost.h"

#include "ToolBarTestResources.h"

BEGIN_MESSAGE_MAP(CHostWnd, CWnd)
ON_COMMAND(ID_TB_OPEN, OnCommandHandled)
ON_COMMAND(ID_TB_CHECKED, OnCommandHandled)
ON_UPDATE_COMMAND_UI(ID_TB_DISABLED, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI(ID_TB_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()
