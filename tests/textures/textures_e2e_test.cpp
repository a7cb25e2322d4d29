// Texture loading end to end on the test X server: the thirteen objects that
// SetupScene makes from the seven files, and the two messages and exit code 1
// when a file is missing.
#include <gtest/gtest.h>
// Xlib after gtest: its macros clash with gtest's names.
#include <GL/gl.h>

#include <set>

#include "renderer/render_window.h"
#include "renderer/scene/scene_gl.h"
#include "tests/renderer/renderer_process.h"

using namespace std::chrono_literals;
using orvanth::test::find_window;
using orvanth::test::wait_for;

namespace {

std::vector<std::uint8_t> level0(GLuint texture, GLint& width, GLint& height) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3 *
                                static_cast<std::size_t>(height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

}  // namespace

TEST(TextureLoading, SevenFilesGiveThirteenObjectsAndReflectionsMatchPlanets) {
  orvanth::test::TextureHome home;
  ASSERT_TRUE(CreateRenderWindow(32));
  std::set<GLuint> names = {WaterTexture};
  for (int p = 0; p < 6; ++p) {
    names.insert(PlanetTextures[p]);
    names.insert(ReflectionTextures[p]);
  }
  EXPECT_EQ(names.size(), 13U);
  for (const GLuint name : names) {
    EXPECT_TRUE(glIsTexture(name)) << name;
  }
  GLint width = 0;
  GLint height = 0;
  level0(WaterTexture, width, height);
  // 252 x 124 is rescaled to powers of two by the mipmap builder.
  EXPECT_EQ(width, 256);
  EXPECT_EQ(height, 128);
  for (int p = 0; p < 6; ++p) {
    int file_width = 0;
    int file_height = 0;
    const auto want = orvanth::test::texture_pixels(p + 1, file_width, file_height);
    const auto planet = level0(PlanetTextures[p], width, height);
    ASSERT_EQ(width, file_width);
    ASSERT_EQ(height, file_height);
    EXPECT_TRUE(planet == want) << "planet " << p << " differs from file " << p + 1;
    EXPECT_TRUE(level0(ReflectionTextures[p], width, height) == planet) << "reflection " << p;
  }
  GLint environment = 0;
  glBindTexture(GL_TEXTURE_2D, PlanetTextures[0]);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
  EXPECT_EQ(environment, GL_MODULATE);
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  DestroyRenderWindow();
}

namespace {

class MissingTexture : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(display_, nullptr) << "needs the test X server"; }

  // Waits for the message box titled caption, over the renderer's window.
  void wait_box(const char* caption) {
    ASSERT_TRUE(wait_for([&] { return (box_ = find_window(display_, caption)) != 0; }))
        << caption << " did not appear";
    EXPECT_NE(find_window(display_, "Lumevar_Delphi"), 0U) << "renderer window not shown";
  }

  // Answers the box with Return once it holds the keyboard.
  void answer(const char* caption) {
    const Window box = box_;
    ASSERT_TRUE(wait_for([&] {
      Window focus = 0;
      int revert = 0;
      XGetInputFocus(display_, &focus, &revert);
      return focus == box;
    })) << caption
        << " has no keyboard focus";
    ASSERT_TRUE(orvanth::test::xdotool("key Return"));
    ASSERT_TRUE(wait_for([&] { return find_window(display_, caption) == 0; }));
  }

  orvanth::test::XConnection connection_;
  Display* const display_ = connection_.get();
  Window box_ = 0;
};

}  // namespace

TEST_F(MissingTexture, File03ShowsBothMessagesInOrderThenExitsWithOne) {
  orvanth::test::TextureHome home(3);
  const std::string name = home.root() + "/orvanth/Orvanth03.bmp";
  orvanth::test::Renderer renderer;
  wait_box("BMP Unit");
  // Files 00 to 02 were read without a message; only 03 is named.
  EXPECT_EQ(renderer.stderr_text(), "BMP Unit: Error opening \"" + name + "\n");
  answer("BMP Unit");
  wait_box("Loading Textures");
  EXPECT_TRUE(renderer.running()) << "ended before the second message was answered";
  EXPECT_TRUE(orvanth::test::cursor_visible(display_)) << "cursor hidden before the loop began";
  answer("Loading Textures");
  EXPECT_EQ(renderer.wait_exit(), std::optional<int>(1));
  EXPECT_EQ(renderer.stderr_text(), "BMP Unit: Error opening \"" + name +
                                        "\nLoading Textures: Unable to load " + name + "\n");
}

TEST_F(MissingTexture, TheWaterFileIsReadFirst) {
  orvanth::test::TextureHome home(0);
  orvanth::test::Renderer renderer;
  wait_box("BMP Unit");
  answer("BMP Unit");
  wait_box("Loading Textures");
  answer("Loading Textures");
  EXPECT_EQ(renderer.wait_exit(), std::optional<int>(1));
  EXPECT_NE(renderer.stderr_text().find("Unable to load " + home.root() + "/orvanth/Orvanth00.bmp"),
            std::string::npos);
}
