#include "simulation/simulation_state.h"

#include "graphics/text.h"

SimulationState gSim;

void ReleaseSimulationSurfaces() {
    delete[] gSim.globeBuffers;
    gSim.globeBuffers = nullptr;
    ReleaseBuffer(gSim.backdrop);
    ReleaseBuffer(gSim.scene);
    ReleaseBuffer(gSim.globe);
    ReleaseBuffer(gSim.tiltGlobeBuffer);
    DeleteTextFont(gSim.distanceFont);
    gSim.distanceFont = nullptr;
}

void ResetSimulationState() {
    ReleaseSimulationSurfaces();
    gSim = SimulationState();
    gSim.starSeed = 1;
}
