// Ground of the tests that read a 3D model through the ModelerAPI classes: the model, and one read
// per call of an element, body, polygon, material or texture by its 1-based index.
#ifndef TESTS_MODELREADINGTEST_HPP
#define TESTS_MODELREADINGTEST_HPP

#include <gtest/gtest.h>

#include "ModelerAPI.hpp"

class ModelReadingTest : public ::testing::Test {
protected:
    ModelerAPI::Element ElementAt(Int32 index) const
    {
        ModelerAPI::Element element;
        model.GetElement(index, &element);
        return element;
    }

    ModelerAPI::MeshBody BodyAt(Int32 element, Int32 index) const
    {
        ModelerAPI::MeshBody body;
        ElementAt(element).GetTessellatedBody(index, &body);
        return body;
    }

    ModelerAPI::Polygon PolygonAt(Int32 element, Int32 body, Int32 index) const
    {
        ModelerAPI::Polygon polygon;
        BodyAt(element, body).GetPolygon(index, &polygon);
        return polygon;
    }

    ModelerAPI::Material MaterialAt(Int32 index) const
    {
        using ModelerAPI::AttributeIndex;
        ModelerAPI::Material material;
        model.GetMaterial(AttributeIndex(AttributeIndex::MaterialIndex, index, -2), &material);
        return material;
    }

    ModelerAPI::Texture TextureAt(Int32 index) const
    {
        using ModelerAPI::AttributeIndex;
        ModelerAPI::Texture texture;
        model.GetTexture(AttributeIndex(AttributeIndex::TextureIndex, index, -2), &texture);
        return texture;
    }

    ModelerAPI::Model model;
};

#endif
