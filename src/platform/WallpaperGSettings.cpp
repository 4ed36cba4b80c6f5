// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// GIO before anything of Qt: its headers use names Qt defines as macros.
#include <gio/gio.h>

#include <array>

#include "platform/Wallpaper.h"

namespace wc {

namespace {

struct Schema {
  const char* id;
  const char* pictureKey;
  bool uri;  // the key holds a file URI rather than a path
};

Schema SchemaFor(DesktopFamily family) {
  switch (family) {
    case DesktopFamily::Cinnamon:
      return {"org.cinnamon.desktop.background", "picture-uri", true};
    case DesktopFamily::Mate:
      return {"org.mate.background", "picture-filename", false};
    default:
      return {"org.gnome.desktop.background", "picture-uri", true};
  }
}

constexpr const char* kDarkKey = "picture-uri-dark";
constexpr const char* kOptionsKey = "picture-options";

std::string Take(gchar* s) {
  std::string out = s ? s : "";
  g_free(s);
  return out;
}

class GSettingsWallpaper final : public WallpaperBackend {
 public:
  GSettingsWallpaper(Schema schema, GSettingsSchema* s)
      : schema_(schema), source_(s), settings_(g_settings_new_full(s, nullptr, nullptr)) {
    // The dark picture key came with later versions of the desktop.
    hasDark_ = g_settings_schema_has_key(s, kDarkKey);
    hasOptions_ = g_settings_schema_has_key(s, kOptionsKey);
  }
  ~GSettingsWallpaper() override {
    g_object_unref(settings_);
    g_settings_schema_unref(source_);
  }
  GSettingsWallpaper(const GSettingsWallpaper&) = delete;
  GSettingsWallpaper& operator=(const GSettingsWallpaper&) = delete;

  const char* name() const override { return schema_.id; }

  bool showsOwnPicture() override { return IsOwnWallpaper(get(schema_.pictureKey)); }

  DesktopPicture current() override {
    DesktopPicture p;
    const std::string picture = get(schema_.pictureKey);
    p.file = schema_.uri ? PathFromFileUri(picture) : picture;
    for (const char* key : keys()) p.details.push_back(std::string(key) + "=" + get(key));
    return p;
  }

  bool show(const std::string& file, const QImage&, const QRect&) override {
    const std::string value = schema_.uri ? FileUriFromPath(file) : file;
    bool ok = set(schema_.pictureKey, value);
    if (hasDark_) ok = set(kDarkKey, value) && ok;
    if (hasOptions_) ok = set(kOptionsKey, "centered") && ok;
    g_settings_sync();
    return ok;
  }

  bool restore(const DesktopPicture& saved) override {
    bool ok = true;
    if (!saved.details.empty() && !IsOwnWallpaper(saved.file)) {
      for (const std::string& line : saved.details) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        for (const char* known : keys()) {
          if (key == known) ok = set(known, line.substr(eq + 1)) && ok;
        }
      }
    } else {
      const std::string file = IsOwnWallpaper(saved.file) ? std::string() : saved.file;
      const std::string value = schema_.uri ? FileUriFromPath(file) : file;
      ok = set(schema_.pictureKey, value);
      if (hasDark_) ok = set(kDarkKey, value) && ok;
      if (hasOptions_) {
        // Without a picture the desktop shows its colour; with one, the
        // desktop's own default placement.
        if (file.empty())
          ok = set(kOptionsKey, "none") && ok;
        else
          g_settings_reset(settings_, kOptionsKey);
      }
    }
    g_settings_sync();
    return ok;
  }

  bool needsNewFileName() const override { return true; }

 private:
  std::vector<const char*> keys() const {
    std::vector<const char*> k{schema_.pictureKey};
    if (hasDark_) k.push_back(kDarkKey);
    if (hasOptions_) k.push_back(kOptionsKey);
    return k;
  }
  std::string get(const char* key) const { return Take(g_settings_get_string(settings_, key)); }
  bool set(const char* key, const std::string& value) {
    // An enumerated key refuses a value outside its list; asked anyway, GIO
    // complains on the terminal.
    GSettingsSchemaKey* k = g_settings_schema_get_key(source_, key);
    GVariant* v = g_variant_ref_sink(g_variant_new_string(value.c_str()));
    const bool fits = g_settings_schema_key_range_check(k, v);
    g_settings_schema_key_unref(k);
    const bool ok = fits && g_settings_set_value(settings_, key, v);
    g_variant_unref(v);
    return ok;
  }

  Schema schema_;
  GSettingsSchema* source_;
  GSettings* settings_;
  bool hasDark_ = false;
  bool hasOptions_ = false;
};

}  // namespace

std::unique_ptr<WallpaperBackend> MakeGSettingsWallpaper(DesktopFamily family) {
  const Schema schema = SchemaFor(family);
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  if (!source) return nullptr;
  // Looked up first: asking GSettings for a schema it lacks ends the process.
  GSettingsSchema* s = g_settings_schema_source_lookup(source, schema.id, TRUE);
  if (!s) return nullptr;
  if (!g_settings_schema_has_key(s, schema.pictureKey)) {
    g_settings_schema_unref(s);
    return nullptr;
  }
  return std::make_unique<GSettingsWallpaper>(schema, s);
}

}  // namespace wc
