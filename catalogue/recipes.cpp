// Reading the recipe file, tolerant of anything a hand-edited or damaged file may hold.
#include "catalogue/recipes.h"

#include "platform/boundedfile.h"
#include "records/lines.h"

namespace {
// Far beyond any recipe file; a larger one is not read into memory.
constexpr int64_t kMaxRecipeBytes = 4 << 20;
}  // namespace

RecipeBook RecipeBook::Parse(const std::string& text) {
    RecipeBook book;
    // Tab and "=" are below 0x40, so never the second byte of a CP932 character.
    for (const std::string& line : SplitLines(text)) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> columns = SplitFields(line);
        if (columns.size() < 5) continue;
        Recipe recipe{columns[1], columns[2], columns[3], {}};
        bool whole = !columns[0].empty() && !recipe.Method.empty() && !recipe.Glass.empty() &&
                     !recipe.Garnish.empty();
        for (size_t i = 4; i < columns.size() && whole; ++i) {
            const size_t equals = columns[i].find('=');
            whole = equals != std::string::npos && equals > 0 && equals + 1 < columns[i].size();
            if (whole)
                recipe.Ingredients.push_back(
                    {columns[i].substr(0, equals), columns[i].substr(equals + 1)});
        }
        if (whole) book.recipes_.emplace(columns[0], std::move(recipe));
    }
    return book;
}

RecipeBook RecipeBook::Load(const TGameFolder& folder) {
    std::string text;
    if (ReadBoundedFile(folder.RecipeFile(), kMaxRecipeBytes, text)) return {};
    return Parse(text);
}

const Recipe* RecipeBook::Find(const std::string& name) const {
    const auto found = recipes_.find(name);
    return found == recipes_.end() ? nullptr : &found->second;
}
