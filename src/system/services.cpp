#include "system/services.h"

PlatformServices& Platform()
{
    static PlatformServices services;
    return services;
}
