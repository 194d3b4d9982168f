// The first scene the program queues at start-up.
#pragma once

class Scene;

Scene* MakeBootScene();
