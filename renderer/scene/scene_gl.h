// The drawing steps of the scene and its GL objects, for the frame loop's
// DrawFrame and for tests that look at single steps.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include "renderer/scene/planets.h"

// Module state of the scene, held for the whole run.
extern GLUquadric* SphereQuadric;
extern GLuint WaterTexture;
extern GLuint PlanetTextures[orvanth::kPlanetCount];
extern GLuint ReflectionTextures[orvanth::kPlanetCount];
// Clear colour and colour of the walls' far edges.
extern const GLfloat BackdropColour[3];

// One planet and its dimmer, turned reflection below the water; textureIndex
// is one of 0.0 to 5.0.
void DrawPlanet(float textureIndex, float scaleXZ, float scaleY, float x, float z, float height);

// Takes the pool steps fallen due by SceneTime (none when they were taken
// already: the scene drawn again on another monitor) and draws the water.
void StepAndDrawWater();
