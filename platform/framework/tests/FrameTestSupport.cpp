#include "FrameTestSupport.h"

#include "FrameTestResources.h"

BEGIN_MESSAGE_MAP(CCommandFrame, CFrameWnd)
  ON_COMMAND(ID_FILE_OPEN_DOC, OnOpen)
  ON_COMMAND(ID_VIEW_REFRESH, OnRefresh)
  ON_COMMAND(ID_VIEW_GRID, OnGrid)
  ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO_IT, OnUpdateUndo)
  ON_UPDATE_COMMAND_UI(ID_VIEW_GRID, OnUpdateGrid)
END_MESSAGE_MAP()
