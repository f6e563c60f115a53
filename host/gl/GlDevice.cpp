#include "host/IGraphicsDevice.h"
namespace host {
IGraphicsDevice* fCreateGraphicsDevice() { return nullptr; }
}
