#include "SceneViewReader.hpp"

namespace ZeltoHost {

API_Coord ReadSceneCoord(const SceneNode& node)
{
    if (node.Size() != 2)
        node.Fail("expected two numbers [x, y]");
    return API_Coord{node.At(0).Number(), node.At(1).Number()};
}

API_PerspPars ReadScenePerspective(const SceneNode& node)
{
    node.CheckObject({"azimuth", "sunAzimuth", "sunAltitude", "viewCone", "rollAngle", "distance", "cameraZ",
                      "targetZ", "pos", "target"});
    API_PerspPars perspective{};
    perspective.azimuth = node.NumberOr("azimuth", 0.0);
    perspective.sunAzimuth = node.NumberOr("sunAzimuth", 0.0);
    perspective.sunAltitude = node.NumberOr("sunAltitude", 0.0);
    perspective.viewCone = node.NumberOr("viewCone", 0.0);
    perspective.rollAngle = node.NumberOr("rollAngle", 0.0);
    perspective.distance = node.NumberOr("distance", 0.0);
    perspective.cameraZ = node.NumberOr("cameraZ", 0.0);
    perspective.targetZ = node.NumberOr("targetZ", 0.0);
    if (node.Has("pos"))
        perspective.pos = ReadSceneCoord(node["pos"]);
    if (node.Has("target"))
        perspective.target = ReadSceneCoord(node["target"]);
    return perspective;
}

API_3DProjectionInfo ReadSceneProjection(const SceneNode& node)
{
    node.CheckObject({"perspective", "camera", "axonometry"});
    API_3DProjectionInfo projection{};
    projection.isPersp = node.BoolOr("perspective", false);
    if (node.Has("camera"))
        projection.u_persp = ReadScenePerspective(node["camera"]);
    if (node.Has("axonometry")) {
        const SceneNode axonometry = node["axonometry"];
        axonometry.CheckObject({"projMod", "azimuth", "sunAzimuth", "sunAltitude"});
        projection.u_axono.projMod = axonometry.IntegerOr("projMod", 0);
        projection.u_axono.azimuth = axonometry.NumberOr("azimuth", 0.0);
        projection.u_axono.sunAzimuth = axonometry.NumberOr("sunAzimuth", 0.0);
        projection.u_axono.sunAltitude = axonometry.NumberOr("sunAltitude", 0.0);
    }
    return projection;
}

}  // namespace ZeltoHost
