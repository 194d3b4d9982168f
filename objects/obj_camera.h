#pragma once
#include "objects/object.h"
class ObjCamera : public Object { public: Matrix4 view; Matrix4 projection; Vec4 frustum[6]; };
extern ObjCamera* ActiveCamera;
void SetCameraDefaults(ObjCamera* camera);
