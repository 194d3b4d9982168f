// Preloaded into the game by the start-up failure tests: it stands in for the
// GL extension loader and always fails, as on a driver without the entry
// points the game needs.
#include <GL/glew.h>  // Required for: the loader's signature and error code

extern "C" GLenum GLEWAPIENTRY glewInit()
{
    return GLEW_ERROR_NO_GL_VERSION;
}
