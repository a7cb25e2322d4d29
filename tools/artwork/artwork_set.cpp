#include "tools/artwork/artwork_set.h"

#include "tools/artwork/planet_maps.h"
#include "tools/artwork/scene_pictures.h"
#include "tools/artwork/ui_pictures.h"

namespace orvanth::artgen {

std::vector<Image> make_artwork_set() {
  std::vector<Image> maps;
  for (int i = 1; i <= 12; ++i) maps.push_back(make_planet_map(i));
  std::vector<Image> all = maps;
  all.push_back(make_preview(maps));
  all.push_back(make_marker_empty());
  all.push_back(make_marker_filled());
  for (ButtonKind k : {ButtonKind::Normal, ButtonKind::HighLight, ButtonKind::Pressed,
                       ButtonKind::Disable, ButtonKind::HighLightSelect, ButtonKind::Selected})
    all.push_back(make_button_picture(k));
  all.push_back(make_icon(maps));
  return all;
}

}  // namespace orvanth::artgen
