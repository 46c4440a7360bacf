// Everything a plug-in sees of its host, in one include.
#pragma once

#include "hostapi/Animatable.h"
#include "hostapi/Controllers.h"
#include "hostapi/DialogTemplate.h"
#include "hostapi/HostConstants.h"
#include "hostapi/HostTypes.h"
#include "hostapi/ImpInterface.h"
#include "hostapi/Interface.h"
#include "hostapi/Materials.h"
#include "hostapi/Mesh.h"
#include "hostapi/Nodes.h"
#include "hostapi/Objects.h"
#include "hostapi/Quat.h"
#include "hostapi/SceneImport.h"
#include "hostapi/Skin.h"
#include "hostapi/WinTypes.h"
#include "hostapi/Win32.h"
