// CJVKImageManager: the pictures of commands. For every command id a set of
// icons (one per width), each with the images the paint managers draw in
// each state. Icons come from image lists, bitmap strips (32-bit ones keep
// their alpha), bitmap and icon resources and icon files; they are stored
// through the property exchange and one command's icons travel through the
// clipboard. One process-wide manager exists (GetImageManager); command bars
// and property grids may own one of their own.
//
// This is the toolkit's public header for images: it brings in the icon
// handle, icon, icon set and the bitmap helpers.
#pragma once

#include <Framework.h>

#include <map>

#include "AlphaBitmap.h"
#include "ImageManagerIcon.h"
#include "ImageManagerIconHandle.h"
#include "ImageManagerIconSet.h"
#include "PropExchange.h"

// The state an image is stored for.
enum JVKImageState {
  jvkImageNormal = 0,
  jvkImageDisabled = 1,
  jvkImageHot = 2,
  jvkImageChecked = 3,
};

// The clipboard format of one command's icons, "Jovix ToolBar Image",
// registered at start-up.
extern CLIPFORMAT JVK_CF_TOOLBAR_IMAGE;

class CJVKImageManager : public CCmdTarget {
 public:
  using CIconSetMap = std::map<UINT, CJVKImageManagerIconSet*>;

  // The first id AddCustomIcon hands out is one above this.
  static const UINT kFirstCustomID = 0x10AAA;

  CJVKImageManager();
  ~CJVKImageManager() override;
  CJVKImageManager(const CJVKImageManager&) = delete;
  CJVKImageManager& operator=(const CJVKImageManager&) = delete;

  // Stores a copy of the image for the command at the width (0: the image's
  // own extent) in the state. A command without icons gets them only for
  // the normal state; other states then return FALSE and store nothing. An
  // owning handle is consumed (its objects destroyed after the copy), a
  // view (CJVKImageManagerIconHandle::View) is left alone.
  BOOL SetIcon(CJVKImageManagerIconHandle hIcon, UINT nCommand, CSize szIcon = CSize(0, 0),
               int nState = jvkImageNormal);
  // The images of an image list, one per command (pCommands null: ids 0, 1,
  // ...). nCount 0 without ids is the image count; when ids are given and
  // nCount differs from the image count, an id of 0 is a separator that
  // takes no image. szIcon 0 x 0 is the size of image 0. FALSE when an image
  // cannot be taken.
  BOOL SetIcons(CImageList& imageList, const UINT* pCommands, int nCount, CSize szIcon, int nState = jvkImageNormal);
  // The images of a bitmap strip. Not alpha: through a masked image list
  // (mask colour m_clrMask, or the top-left pixel when it is -1). Alpha: cut
  // into pieces of szIcon.cx (FALSE when that does not divide the width),
  // each stored as an alpha image. FALSE for a width of 0.
  BOOL SetIcons(HBITMAP hBitmap, const UINT* pCommands, int nCount, CSize szIcon, int nState = jvkImageNormal,
                BOOL bAlpha = FALSE);
  // The strip of an RT_BITMAP resource (a 32-bit one keeps its alpha).
  // szIcon 0 x 0: the bitmap's height and its width / nCount; nCount 0: the
  // bitmap's width / szIcon.cx.
  BOOL SetIconsFromResource(UINT nIDBitmap, const UINT* pCommands, int nCount, CSize szIcon = CSize(0, 0),
                            int nState = jvkImageNormal);
  // Stores the image under a new id of its own, which it returns.
  UINT AddCustomIcon(CJVKImageManagerIconHandle hIcon);

  // The command's icon for the width, scaled from the nearest width when
  // needed (CJVKImageManagerIconSet::GetIcon); null without icons.
  CJVKImageManagerIcon* GetImage(UINT nCommand, int nWidth = 16);
  CJVKImageManagerIconSet* GetIconSet(UINT nCommand);
  const CIconSetMap& GetIconSets() const { return m_mapImages; }

  // Drops scaled icons and generated images everywhere (on WM_SYSCOLORCHANGE).
  void RefreshAll();
  void RemoveAll();

  // All icon sets: the section "IconSet" with "Id" and the set's exchange
  // for each. Loading replaces every set.
  void DoPropExchange(CJVKPropExchange* pPX);
  // One command's icons: "CheckSum", then its unscaled icons in the
  // sections "Icon0", ... with "Width" and the object "Data". Loading
  // replaces the command's icons; a wrong "CheckSum" or refused data throws
  // CArchiveException.
  void DoPropExchange(UINT nCommand, CJVKPropExchange* pPX);

  // Puts the command's icons on the clipboard, which the caller has opened
  // and emptied. FALSE when the command has no icons or memory runs out.
  BOOL CopyIconToClipboard(UINT nCommand);
  // Loads the icons in JVK_CF_TOOLBAR_IMAGE under a new custom id, which it
  // returns; 0 (and no id used) when there is no such data or it is refused.
  UINT PasteIconFromClipboard(COleDataObject* pData);

  // Whether alpha images can be drawn (msimg32's AlphaBlend is bound).
  BOOL IsAlphaIconsSupported() const { return JVKAlphaBlendEntry() != nullptr; }

  // The mask colour of bitmap strips; -1 (the default) takes the top-left pixel.
  COLORREF m_clrMask = static_cast<COLORREF>(-1);
  // When set, plain icons are drawn mirrored and the one-colour look goes
  // through a bitmap (right-to-left layouts).
  BOOL m_bDrawReverse = FALSE;

 private:
  // The command's set, made when missing.
  CJVKImageManagerIconSet* GetOrCreateIconSet(UINT nCommand);
  BOOL SetAlphaStrip(HBITMAP hBitmap, const UINT* pCommands, int nCount, CSize szIcon, int nState);

  CIconSetMap m_mapImages;
  UINT m_nCustomID = kFirstCustomID;
};

// The process-wide image manager, made on first use.
CJVKImageManager* GetImageManager();
