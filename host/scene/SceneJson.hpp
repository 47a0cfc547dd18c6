// Reading the scene file's JSON with errors that name the place of the bad value as a JSON
// pointer ("/model/elements/2/bodies/0/vertices/5: expected a number").
#ifndef SCENE_SCENEJSON_HPP
#define SCENE_SCENEJSON_HPP

#include <initializer_list>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "APIdefs_Base.h"
#include "Definitions.hpp"
#include "ModelerAPITypes.hpp"

namespace ZeltoHost {

// A bad value: where it is (a JSON pointer) and what is wrong with it.
class SceneError : public std::runtime_error {
public:
    SceneError(const std::string& pointer, const std::string& problem);
    const std::string& Pointer() const { return pointer; }

private:
    std::string pointer;
};

// A value of the scene together with its JSON pointer.
class SceneNode {
public:
    SceneNode(const nlohmann::json& value, std::string pointer);

    const nlohmann::json& Json() const { return value; }
    const std::string& Pointer() const { return pointer; }
    [[noreturn]] void Fail(const std::string& problem) const;

    // Objects. A member that is not in `known` is an error, so that a misspelt name is not
    // silently ignored.
    void CheckObject(std::initializer_list<const char*> known) const;
    bool Has(const char* key) const;
    SceneNode operator[](const char* key) const;  // the member must be there

    // Arrays.
    std::size_t Size() const;  // the value must be an array
    SceneNode At(std::size_t index) const;

    // Values.
    double Number() const;
    Int32 Integer() const;  // a whole number within 32 bits
    bool Bool() const;
    std::string Text() const;
    API_Guid Guid() const;                 // "8-4-4-4-12" hex digits, braces allowed
    ModelerAPI::Vertex Point3() const;     // [x, y, z]
    ModelerAPI::Color Color() const;       // [red, green, blue]

    // Members with defaults.
    double NumberOr(const char* key, double fallback) const;
    Int32 IntegerOr(const char* key, Int32 fallback) const;
    bool BoolOr(const char* key, bool fallback) const;
    std::string TextOr(const char* key, const std::string& fallback) const;

private:
    const nlohmann::json& value;
    std::string pointer;
};

// A GUID from its text, 8-4-4-4-12 hex digits, with or without braces; false when malformed.
bool ParseGuid(const std::string& text, API_Guid* guid);

}  // namespace ZeltoHost

#endif
