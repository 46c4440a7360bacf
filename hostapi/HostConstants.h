// Numbers of the host that cross the boundary: super class and class ids,
// interface ids, flags, map slots, light and camera parameters.
//
// Where a value is known from the host SDK it has the SDK's value; the ids
// that only this host defines (the derived-object and built-in object class
// ids) are marked as such.
#pragma once

#include "hostapi/HostTypes.h"

namespace hostapi {

// Time.
inline constexpr int TIME_TICKSPERSEC = 4800;

// Super class ids.
inline constexpr SClass_ID GEOMOBJECT_CLASS_ID = 0x000010;
inline constexpr SClass_ID CAMERA_CLASS_ID = 0x000020;
inline constexpr SClass_ID LIGHT_CLASS_ID = 0x000030;
inline constexpr SClass_ID HELPER_CLASS_ID = 0x000050;
inline constexpr SClass_ID GEN_DERIVOB_CLASS_ID = 0x000080;
inline constexpr SClass_ID OSM_CLASS_ID = 0x000810;
inline constexpr SClass_ID SCENE_IMPORT_CLASS_ID = 0x000A10;
inline constexpr SClass_ID SCENE_EXPORT_CLASS_ID = 0x000A20;
inline constexpr SClass_ID MATERIAL_CLASS_ID = 0x000C00;
inline constexpr SClass_ID TEXMAP_CLASS_ID = 0x000C10;
inline constexpr SClass_ID UVGEN_CLASS_ID = 0x000C20;
inline constexpr SClass_ID CTRL_MATRIX3_CLASS_ID = 0x009008;
inline constexpr SClass_ID CTRL_POSITION_CLASS_ID = 0x00900B;
inline constexpr SClass_ID CTRL_ROTATION_CLASS_ID = 0x00900C;
inline constexpr SClass_ID CTRL_SCALE_CLASS_ID = 0x00900D;

// Class ids of objects and modifiers.
inline constexpr Class_ID triObjectClassID{0x0009, 0};
// A bone object keeps its parameters in parameter block 0; its length is
// parameter BONE_OBJ_LENGTH, a float.
inline constexpr Class_ID BONE_OBJ_CLASSID{0x28BF6E8D, 0x2ECCA840};
inline constexpr ParamID BONE_OBJ_LENGTH = 3;
inline constexpr Class_ID SKIN_CLASSID{0x0095C723, 0x00015666};
inline constexpr Class_ID PHYSIQUE_CLASS_ID{0x00000100, 0};
// Helper objects: the dummy, the bone of older releases, and the target
// that a target light or camera looks at.
inline constexpr Class_ID DUMMY_CLASS_ID{0x00876234, 0};
inline constexpr Class_ID BONE_CLASS_ID{0x008A63C0, 0};
inline constexpr Class_ID TARGET_CLASS_ID{0x00001020, 0};
// The biped's own geometry, and the transform controllers of its parts: the
// centre of mass (body), every other biped node (slave) and the footsteps.
inline constexpr Class_ID BIPED_CLASS_ID{0x00009125, 0};
inline constexpr Class_ID BIPBODY_CONTROL_CLASS_ID{0x00009156, 0};
inline constexpr Class_ID BIPSLAVE_CONTROL_CLASS_ID{0x00009154, 0};
inline constexpr Class_ID FOOTPRINT_CLASS_ID{0x00003011, 0};
// This host's own: a derived object (an object with its modifier stack), and
// one bound to world-space modifiers.
inline constexpr Class_ID derivObjClassID{0x0D9E, 0};
inline constexpr Class_ID WSMDerivObjClassID{0x0D9F, 0};
// This host's own: its built-in lights and the free camera.
inline constexpr Class_ID OMNI_LIGHT_CLASS_ID{0x1011, 0};
inline constexpr Class_ID SPOT_LIGHT_CLASS_ID{0x1012, 0};
inline constexpr Class_ID DIR_LIGHT_CLASS_ID{0x1013, 0};
inline constexpr Class_ID FSPOT_LIGHT_CLASS_ID{0x1014, 0};
inline constexpr Class_ID TDIR_LIGHT_CLASS_ID{0x1015, 0};
inline constexpr Class_ID SIMPLE_CAM_CLASS_ID{0x1001, 0};
inline constexpr Class_ID LOOKAT_CAM_CLASS_ID{0x1002, 0};

// Controllers.
inline constexpr ULONG LININTERP_POSITION_CLASS_ID = 0x2002;
inline constexpr ULONG LININTERP_ROTATION_CLASS_ID = 0x2003;
inline constexpr ULONG LININTERP_SCALE_CLASS_ID = 0x2004;
inline constexpr ULONG PRS_CONTROL_CLASS_ID = 0x2005;

// Materials and texture maps.
inline constexpr ULONG DMTL_CLASS_ID = 0x0002;
inline constexpr ULONG MULTI_CLASS_ID = 0x0200;
inline constexpr ULONG BMTEX_CLASS_ID = 0x0240;
inline constexpr ULONG RGBMULT_CLASS_ID = 0x0290;
inline constexpr ULONG MIX_CLASS_ID = 0x0230;
inline constexpr ULONG COMPOSITE_CLASS_ID = 0x0280;
inline constexpr Class_ID GNORMAL_CLASS_ID{0x243E22C6, 0x63F6A014};
inline constexpr ULONG STDUV_CLASS_ID = 0x124C;

// Interface ids asked of an Animatable with GetInterface.
inline constexpr ULONG I_KEYCONTROL = 0x00001100;
inline constexpr ULONG I_SKIN = 0x00010000;
inline constexpr ULONG I_SKINIMPORTDATA = 0x00020000;
inline constexpr ULONG I_PHYINTERFACE = 0x00100100;
inline constexpr ULONG I_BIPINTERFACE = 0x00100101;
// The biped master's mode interface, under the id the exporter asks for.
inline constexpr ULONG I_BIPMASTER = 0x00001010;

// Core interfaces asked of the host with GetCOREInterface.
inline constexpr Interface_ID MTLEDIT_INTERFACE{0x2C7B3F6E, 0x16FB35D4};

// Animatable flags.
// Keeps a derived object alive while its modifier stack is being rebuilt.
inline constexpr DWORD A_LOCK_TARGET = 0x08000000;

// Material flags.
inline constexpr int MTL_TEX_DISPLAY_ENABLED = 1 << 3;

// Map slots of the standard material.
inline constexpr int ID_AM = 0;  // ambient
inline constexpr int ID_DI = 1;  // diffuse
inline constexpr int ID_SP = 2;  // specular
inline constexpr int ID_SH = 3;  // shininess
inline constexpr int ID_SS = 4;  // shininess strength
inline constexpr int ID_SI = 5;  // self-illumination
inline constexpr int ID_OP = 6;  // opacity
inline constexpr int ID_FI = 7;  // filter colour
inline constexpr int ID_BU = 8;  // bump
inline constexpr int ID_RL = 9;  // reflection
inline constexpr int ID_RR = 10; // refraction
inline constexpr int ID_DP = 11; // displacement
inline constexpr int NTEXMAPS = 12;

// Tiling flags of a UV generator.
inline constexpr int U_WRAP = 1 << 0;
inline constexpr int V_WRAP = 1 << 1;
inline constexpr int U_MIRROR = 1 << 2;
inline constexpr int V_MIRROR = 1 << 3;

// Light types.
inline constexpr int OMNI_LIGHT = 0;
inline constexpr int TSPOT_LIGHT = 1;
inline constexpr int DIR_LIGHT = 2;
inline constexpr int FSPOT_LIGHT = 3;
inline constexpr int TDIR_LIGHT = 4;

// What a light's evaluated state says it is (LightState::type): target and
// free spots are both spots, and an omni light that lights only the
// ambient term is an ambient light.
enum LightType { OMNI_LGT = 0, SPOT_LGT = 1, DIRECT_LGT = 2, AMBIENT_LGT = 3 };

// Attenuation ranges of a light (the "which" of SetAtten).
inline constexpr int ATTEN1_START = 0;  // near start
inline constexpr int ATTEN1_END = 1;    // near end
inline constexpr int ATTEN_START = 2;   // far start
inline constexpr int ATTEN_END = 3;     // far end

// Camera types and clipping planes (the "which" of SetClipDist).
inline constexpr int FREE_CAMERA = 0;
inline constexpr int TARGETED_CAMERA = 1;
inline constexpr int CAM_HITHER_CLIP = 0;
inline constexpr int CAM_YON_CLIP = 1;
inline constexpr int ENV_NEAR_RANGE = 0;
inline constexpr int ENV_FAR_RANGE = 1;

// Edge visibility bits of a face.
inline constexpr DWORD EDGE_A = 1u << 0;
inline constexpr DWORD EDGE_B = 1u << 1;
inline constexpr DWORD EDGE_C = 1u << 2;
inline constexpr DWORD EDGE_ALL = EDGE_A | EDGE_B | EDGE_C;

// Map channels of a mesh: 0 holds vertex colours, 1 is the texture
// vertices and faces (tVerts / tvFace), 2 and up are further UV channels.
// Two hidden channels lie below 0: the vertex illumination (-1) and the
// vertex alpha (-2), whose u coordinate is the alpha value.
inline constexpr int MAX_MESHMAPS = 100;
inline constexpr int NUM_HIDDENMAPS = 2;
inline constexpr int MAP_SHADING = -1;
inline constexpr int MAP_ALPHA = -2;

// Results of the host's reference and evaluation calls.
enum RefResult { REF_FAIL = 0, REF_SUCCEED = 1 };

// SceneImport::ZoomExtents results.
inline constexpr int ZOOMEXT_NOT_IMPLEMENTED = -1;
inline constexpr int ZOOMEXT_YES = TRUE;
inline constexpr int ZOOMEXT_NO = FALSE;

}  // namespace hostapi
