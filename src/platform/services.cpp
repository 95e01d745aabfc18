#include "platform/services.h"

PlatformServices& Platform()
{
    static PlatformServices services;
    return services;
}
