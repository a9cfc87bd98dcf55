// Everything a filter built on our DirectShow base classes needs.
#pragma once

#include <windows.h>
#include <strmif.h>
#include <control.h>
#include <uuids.h>
#include <vfwmsgs.h>
#include <amvideo.h>
#include <dvdmedia.h>
#include <mmreg.h>

#include "DShowGuids.h"
#include "ComPtr.h"
#include "HrCheck.h"
#include "CritSec.h"
#include "AutoLock.h"
#include "AMEvent.h"
#include "BaseObject.h"
#include "Unknown.h"
#include "MediaType.h"
#include "BaseFilter.h"
#include "BasePin.h"
#include "EnumPins.h"
#include "EnumMediaTypes.h"
#include "BaseOutputPin.h"
#include "BaseInputPin.h"
#include "AMThread.h"
#include "Source.h"
#include "SourceStream.h"
#include "RendererInputPin.h"
#include "BaseRenderer.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"
#include "TransformFilter.h"
#include "FactoryTemplate.h"
#include "ClassFactory.h"
#include "DllSetup.h"
