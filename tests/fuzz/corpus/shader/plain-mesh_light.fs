#version 330 compatibility
// One point light on a diffuse and specular material, with a soft rim of the
// light's colour so that the silhouette reads against the dark background.
// A mesh without normals takes its facet normal from the screen derivatives.
uniform mat4 uViewMatrix;
uniform vec3 uLightPosition;
uniform vec3 uLightColor;
uniform vec3 uAmbientColor;
uniform vec4 uMaterialDiffuseColor;
uniform vec4 uMaterialSpecularColor;
uniform float uMaterialShininess;

in vec3 vViewPosition;
in vec3 vViewNormal;

out vec4 fragColor;

vec3 SurfaceNormal() {
    if (dot(vViewNormal, vViewNormal) > 1e-8)
        return normalize(vViewNormal);
    return normalize(cross(dFdx(vViewPosition), dFdy(vViewPosition)));
}

void main() {
    vec3 normal = SurfaceNormal();
    vec3 toEye = normalize(-vViewPosition);
    vec3 toLight = normalize((uViewMatrix * vec4(uLightPosition, 1.0)).xyz - vViewPosition);

    float diffuse = max(dot(normal, toLight), 0.0);
    float wrapped = max((dot(normal, toLight) + 0.35) / 1.35, 0.0);
    vec3 halfway = normalize(toLight + toEye);
    float specular = diffuse > 0.0 ? pow(max(dot(normal, halfway), 0.0), uMaterialShininess) : 0.0;
    float rim = pow(1.0 - max(dot(normal, toEye), 0.0), 3.0);

    vec3 albedo = uMaterialDiffuseColor.rgb;
    vec3 color = uAmbientColor * albedo;
    color += uLightColor * albedo * (0.8 * diffuse + 0.25 * wrapped);
    color += uLightColor * uMaterialSpecularColor.rgb * specular;
    color += uLightColor * albedo * rim * 0.55;
    fragColor = vec4(color, uMaterialDiffuseColor.a);
}
