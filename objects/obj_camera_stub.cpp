#include "objects/obj_camera.h"
ObjCamera* ActiveCamera = nullptr;
ObjCamera::~ObjCamera(){ if (ActiveCamera==this) ActiveCamera=nullptr; }
void SetCameraDefaults(ObjCamera* camera){ camera->view = MatLookAt({0,0,5},{0,0,0},{0,1,0}); }
