#include "BaseObject.h"

LONG volatile CBaseObject::m_cObjects = 0;

CBaseObject::CBaseObject(LPCTSTR) { InterlockedIncrement(&m_cObjects); }

CBaseObject::~CBaseObject() { InterlockedDecrement(&m_cObjects); }
