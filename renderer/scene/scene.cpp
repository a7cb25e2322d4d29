// The planet-over-water scene: fixed-function GL over the planet and water
// simulations. The GL state is never reset between frames, so the order of
// the state changes below decides how each surface looks.
#include "renderer/scene/scene.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>

#include "common/texture_files.h"
#include "renderer/scene/planets.h"
#include "renderer/scene/scene_gl.h"
#include "renderer/scene/water.h"
#include "renderer/scene/water_clock.h"
#include "renderer/textures/textures.h"

// Module state of the scene, held for the whole run.
GLUquadric* SphereQuadric = nullptr;
GLuint WaterTexture = 0;
GLuint PlanetTextures[orvanth::kPlanetCount] = {};
GLuint ReflectionTextures[orvanth::kPlanetCount] = {};
const GLfloat BackdropColour[3] = {0.5608F, 0.5725F, 0.5804F};

namespace {

constexpr GLint kPlanetDetail = 32;
constexpr GLint kReflectionDetail = 24;
constexpr GLdouble kSphereRadius = 0.3;
constexpr float kReflectionGrey = 0.4F;
constexpr int kWaterStrips = orvanth::kWaterCells - 1;

// The index is a float compared for exact equality; with no match the
// previous binding stays.
void bind_by_index(const GLuint (&textures)[orvanth::kPlanetCount], float index) {
  for (int p = 0; p < orvanth::kPlanetCount; ++p) {
    if (index == static_cast<float>(p)) {
      glBindTexture(GL_TEXTURE_2D, textures[p]);
      return;
    }
  }
}

void load_textures() {
  const auto files = orvanth::TextureFileNames();
  MakeTexture(files[0], WaterTexture);
  for (int p = 0; p < orvanth::kPlanetCount; ++p) {
    MakeTexture(files[static_cast<std::size_t>(p) + 1], PlanetTextures[p]);
  }
  for (int p = 0; p < orvanth::kPlanetCount; ++p) {
    MakeTexture(files[static_cast<std::size_t>(p) + 1], ReflectionTextures[p]);
  }
}

void draw_water_strip(int k) {
  const auto shade = static_cast<float>(k / 100.0);
  glColor3f(shade, shade, shade);
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i < orvanth::kWaterCells; ++i) {
    glNormal3fv(WaterNormals[i][k + 1]);
    glVertex3fv(WaterVertices[i][k + 1]);
    glNormal3fv(WaterNormals[i][k]);
    glVertex3fv(WaterVertices[i][k]);
  }
  glEnd();
}

void wall_vertex(const GLfloat* colour, float x, float y, float z) {
  glColor3fv(colour);
  glVertex3f(x, y, z);
}

void draw_walls() {
  static constexpr GLfloat kWhite[3] = {1.0F, 1.0F, 1.0F};
  glBegin(GL_QUADS);
  wall_vertex(BackdropColour, -2.5F, 0.0F, -2.5F);
  wall_vertex(kWhite, -2.5F, 0.0F, 2.5F);
  wall_vertex(kWhite, -2.5F, 2.0F, 2.5F);
  wall_vertex(BackdropColour, -2.5F, 2.0F, -2.5F);
  wall_vertex(kWhite, 2.5F, 0.0F, 2.5F);
  wall_vertex(BackdropColour, 2.5F, 0.0F, -2.5F);
  wall_vertex(BackdropColour, 2.5F, 2.0F, -2.5F);
  wall_vertex(kWhite, 2.5F, 2.0F, 2.5F);
  glEnd();
}

}  // namespace

bool SetupScene() {
  glClearColor(BackdropColour[0], BackdropColour[1], BackdropColour[2], 0.0F);
  glShadeModel(GL_SMOOTH);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  SphereQuadric = gluNewQuadric();
  gluQuadricNormals(SphereQuadric, GLU_SMOOTH);
  gluQuadricTexture(SphereQuadric, GL_TRUE);
  glEnable(GL_CULL_FACE);
  glEnable(GL_TEXTURE_2D);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  load_textures();
  WaterDamping = 0.96F;
  orvanth::clear_water();
  pool_clock = {};
  orvanth::reset_planets();
  return true;
}

void DrawPlanet(float textureIndex, float scaleXZ, float scaleY, float x, float z, float height) {
  glPushMatrix();
  glFrontFace(GL_CCW);
  glScalef(scaleXZ, scaleY, scaleXZ);
  glDisable(GL_BLEND);
  glTranslatef(x, static_cast<float>(height + 0.1), z);
  glColor3f(1.0F, 1.0F, 1.0F);
  bind_by_index(PlanetTextures, textureIndex);
  gluSphere(SphereQuadric, kSphereRadius, kPlanetDetail, kPlanetDetail);
  glPopMatrix();
  glPushMatrix();
  glScalef(scaleXZ, scaleY, scaleXZ);
  glColor3f(kReflectionGrey, kReflectionGrey, kReflectionGrey);
  glTranslatef(x, static_cast<float>(-0.1 - height), z);
  glRotatef(45.0F, 1.0F, 1.0F, 1.0F);
  glEnable(GL_BLEND);
  glDepthFunc(GL_LEQUAL);
  bind_by_index(ReflectionTextures, textureIndex);
  gluSphere(SphereQuadric, kSphereRadius, kReflectionDetail, kReflectionDetail);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glPopMatrix();
}

// The steps fallen due by SceneTime (none when a frame comes early or the
// scene is drawn again on another monitor), then the drawing.
void StepAndDrawWater() {
  orvanth::advance_water_to(SceneTime);
  glBindTexture(GL_TEXTURE_2D, WaterTexture);
  for (int k = 0; k < kWaterStrips; ++k) {
    draw_water_strip(k);
  }
}

void DrawFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glTranslatef(-0.25F, 0.0F, -4.6F);
  glRotatef(50.0F, 1.0F, 0.0F, 0.0F);
  // The pool starts the ripples at its own steps' times.
  orvanth::pose_planets(SceneTime);
  for (int p = 0; p < orvanth::kPlanetCount; ++p) {
    const orvanth::Planet& planet = PlanetState[p];
    const orvanth::PlanetPlace& place = orvanth::kPlanetTable[static_cast<std::size_t>(p)];
    DrawPlanet(static_cast<float>(p), place.size * planet.width_scale,
               place.size * planet.height_scale, place.x, place.z, planet.height);
  }
  glFrontFace(GL_CW);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDepthFunc(GL_LESS);
  StepAndDrawWater();
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  draw_walls();
  glEnable(GL_TEXTURE_2D);
}
