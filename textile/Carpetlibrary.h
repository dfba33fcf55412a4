#pragma once
// The carpet texture library: the ".ctx" files of the texture directory's
// "carpet" folder, and of a per-user folder where textures are saved and
// deleted when the shipped folder cannot be written (a read-only install). A
// user texture hides a shipped one of the same name.

#include "textile/Carpettexture.h"

#include <QString>
#include <cstdint>
#include <vector>

class TDocument;

// The selection of document as a texture (named name): the work area's bounding
// rectangle, 1 to 10 pixels wide and at least 1 high, every pixel of it a value
// from 2 to 8. False, out untouched, for any other selection or depth.
bool TextureFromSelection(const TDocument& document, const QString& name, TCarpetTexture& out);

class TCarpetLibrary {
  public:
    // The shipped folder and the user's; empty: the configured ones.
    explicit TCarpetLibrary(const QString& folder = QString(), const QString& userFolder = QString());

    // Reads every readable texture of both folders, ordered by name; unreadable
    // files are skipped.
    void Load();
    const std::vector<TCarpetTexture>& Textures() const { return TexturesV; }

    // Gives texture index the pixels of from and writes its file.
    uint32_t Save(int index, const TCarpetTexture& from);
    // Adds from as a new texture of name (".ctx" appended when the name has no
    // "."), replacing one of that name; LongTextureName for a name of more than 12
    // characters. Returns 0 or the write's code; the index of the texture in at.
    uint32_t SaveAs(const QString& name, const TCarpetTexture& from, int* at = nullptr);
    // Removes texture index and its file; CannotWriteFile, with the texture kept,
    // when the file cannot be deleted.
    uint32_t Delete(int index);

    // Where new and changed textures go.
    QString WriteFolder() const;

  private:
    uint32_t Write(size_t index);
    QString Folder, UserFolder;
    std::vector<TCarpetTexture> TexturesV;
    std::vector<QString> Paths; // each texture's file
};
