#include "sim/ThermalImager.h"

namespace tarn::sim {

ThermalImager::ThermalImager(ThermalSensor sensor)
    : sensor(sensor)
    , picture(factoryPicture())
    , saved(picture)
{
}

ThermalPicture ThermalImager::factoryPicture() const
{
    ThermalPicture factory;
    factory.roiRight = width();
    factory.roiBottom = height();
    return factory;
}

} // namespace tarn::sim
