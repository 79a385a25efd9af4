#version 330 compatibility
// Two coloured point lights with Blinn-Phong specular on the per-instance
// colour. Grey 0.5 is a box at rest; brighter boxes are pulses, which also
// light up from within and along their edges so that the glow picks them up.
uniform mat4 uViewMatrix;
uniform vec3 uLight1Position;
uniform vec3 uLight2Position;
uniform vec3 uLight1Color;
uniform vec3 uLight2Color;
uniform vec3 uAmbientColor;
uniform vec4 uMaterialSpecularColor;
uniform float uMaterialShininess;

in vec3 vViewPosition;
in vec3 vViewNormal;
in vec4 vColor;
in vec3 vBoxPosition;
in vec3 vHalfSize;
in vec3 vFaceNormal;

out vec4 fragColor;

vec3 PointLight(vec3 worldPosition, vec3 color, vec3 normal, vec3 toEye, vec3 albedo) {
    vec3 toLight = (uViewMatrix * vec4(worldPosition, 1.0)).xyz - vViewPosition;
    float distance = length(toLight);
    toLight /= distance;
    float attenuation = 1.0 / (1.0 + 0.0022 * distance * distance);
    float diffuse = max(dot(normal, toLight), 0.0);
    vec3 halfway = normalize(toLight + toEye);
    float specular = diffuse > 0.0 ? pow(max(dot(normal, halfway), 0.0), uMaterialShininess) : 0.0;
    return color * attenuation * (albedo * diffuse + uMaterialSpecularColor.rgb * specular);
}

// 0 on a face's edge, 1 a little way inside it.
float EdgeFactor() {
    vec3 inside = vHalfSize - abs(vBoxPosition);
    vec3 across = 1.0 - abs(vFaceNormal);
    float nearest = min(mix(1e3, inside.x, across.x), min(mix(1e3, inside.y, across.y), mix(1e3, inside.z, across.z)));
    float width = 0.035;
    return smoothstep(0.0, width, nearest);
}

void main() {
    vec3 normal = normalize(vViewNormal);
    vec3 toEye = normalize(-vViewPosition);
    float edge = EdgeFactor();
    float pulse = clamp((vColor.r - 0.5) * 2.0, 0.0, 1.0);
    vec3 albedo = vColor.rgb * mix(0.45, 1.0, edge);

    vec3 up = mat3(uViewMatrix) * vec3(0.0, 1.0, 0.0);
    vec3 fill = vec3(0.05, 0.05, 0.09) * (0.6 + 0.4 * dot(normal, up));
    vec3 color = (uAmbientColor + fill) * albedo;
    color += PointLight(uLight1Position, uLight1Color, normal, toEye, albedo) * 1.6;
    color += PointLight(uLight2Position, uLight2Color, normal, toEye, albedo) * 1.6;

    vec3 emission = vec3(0.75, 0.85, 1.0) * pulse * pulse * (0.35 + 0.65 * (1.0 - edge));
    fragColor = vec4(color + emission, vColor.a);
}
