#version 330
// A field of bobbing spheres over a dark, glowing floor. The spheres live in
// a slab above the floor: the ray is clipped to that slab analytically and
// only marched inside it, the floor is hit analytically, and shadow and
// occlusion come from the nearest sphere in closed form, so the cost stays
// small and nearly constant per pixel.
uniform vec2 uResolution;
uniform float uTime;

out vec4 fragColor;

const float kCell = 2.2;
const float kRadius = 0.62;
const float kSlabTop = 2.4;
const int kSteps = 36;
const float kBeat = 175.0 / 60.0;
const vec3 kFogColor = vec3(0.002, 0.012, 0.008);
const vec3 kLightDir = normalize(vec3(-0.5, 0.75, 0.35));

float Hash(vec2 cell) {
    return fract(sin(dot(cell, vec2(127.1, 311.7))) * 43758.5453);
}

// The sphere centre of a cell: its height follows a wave across the field.
vec3 SphereCentre(vec2 cell) {
    float phase = dot(cell, vec2(0.55, 0.35)) + uTime * 1.3;
    float height = kRadius + 0.08 + 0.55 * (0.5 + 0.5 * sin(phase));
    return vec3((cell.x + 0.5) * kCell, height, (cell.y + 0.5) * kCell);
}

float SphereDistance(vec3 p, out vec2 cell) {
    cell = floor(p.xz / kCell);
    return length(p - SphereCentre(cell)) - kRadius;
}

// Soft shadow of a sphere for a ray from ro along rd (closed form).
float SphereShadow(vec3 ro, vec3 rd, vec3 centre) {
    vec3 oc = ro - centre;
    float b = dot(oc, rd);
    float c = dot(oc, oc) - kRadius * kRadius;
    float h = b * b - c;
    float d = sqrt(max(0.0, kRadius * kRadius - h)) - kRadius;
    float t = -b - sqrt(max(h, 0.0));
    return (b > 0.0) ? 1.0 : smoothstep(0.0, 1.0, 2.5 * d / max(t, 0.001));
}

// Ambient occlusion a sphere casts onto a point with normal n (closed form).
float SphereOcclusion(vec3 p, vec3 n, vec3 centre) {
    vec3 dir = centre - p;
    float len = length(dir);
    return 1.0 - clamp(dot(n, dir / len) * (kRadius * kRadius) / (len * len), 0.0, 1.0);
}

// Occlusion and shadow from the spheres of the cell under p and its nearest
// neighbours along x and z.
void NearbyLight(vec3 p, vec3 n, out float ao, out float shadow) {
    vec2 cell = floor(p.xz / kCell);
    vec2 side = sign(fract(p.xz / kCell) - 0.5);
    ao = 1.0;
    shadow = 1.0;
    vec2 cells[3] = vec2[3](cell, cell + vec2(side.x, 0.0), cell + vec2(0.0, side.y));
    for (int i = 0; i < 3; ++i) {
        vec3 centre = SphereCentre(cells[i]);
        ao *= SphereOcclusion(p, n, centre);
        shadow = min(shadow, SphereShadow(p, kLightDir, centre));
    }
}

// How brightly a sphere glows: a few cells light up on each beat.
float Pulse(vec2 cell) {
    float beat = uTime * kBeat;
    float index = floor(beat);
    float chosen = step(0.82, Hash(cell + index * 7.13));
    return chosen * exp(-4.0 * fract(beat));
}

// Marches the slab between the floor and its top; -1 when nothing is hit.
float MarchSpheres(vec3 ro, vec3 rd, float start, float end, out vec2 cell, out float glow) {
    float t = start;
    glow = 0.0;
    for (int i = 0; i < kSteps; ++i) {
        float d = SphereDistance(ro + rd * t, cell);
        glow += exp(-10.0 * max(d, 0.0)) * 0.02;
        if (d < 0.002 * t)
            return t;
        t += d * 0.85;
        if (t > end)
            break;
    }
    return -1.0;
}

vec3 Sky(vec3 rd) {
    float horizon = exp(-12.0 * abs(rd.y));
    return kFogColor + vec3(0.03, 0.16, 0.08) * horizon + vec3(0.0, 0.015, 0.01) * max(rd.y, 0.0);
}

vec3 ShadeSphere(vec3 p, vec3 rd, vec2 cell) {
    vec3 centre = SphereCentre(cell);
    vec3 n = normalize(p - centre);
    float ao = clamp(0.45 + 0.55 * (p.y / (centre.y + kRadius)) + 0.2 * n.y, 0.0, 1.0);
    float diffuse = max(dot(n, kLightDir), 0.0);
    float shadow = 1.0;
    vec2 next = cell + vec2(sign(kLightDir.x), 0.0);
    shadow = SphereShadow(p + n * 0.01, kLightDir, SphereCentre(next));
    vec3 h = normalize(kLightDir - rd);
    float specular = pow(max(dot(n, h), 0.0), 60.0);
    float fresnel = pow(clamp(1.0 + dot(n, rd), 0.0, 1.0), 3.0);
    vec3 base = mix(vec3(0.02, 0.22, 0.08), vec3(0.12, 0.45, 0.15), Hash(cell));
    vec3 colour = base * (0.03 + 1.1 * diffuse * shadow) * ao;
    colour += vec3(0.7, 1.0, 0.75) * specular * shadow * 1.5;
    colour += vec3(0.1, 0.6, 0.3) * fresnel * ao;
    colour += vec3(0.1, 0.28, 0.14) * max(-n.y, 0.0) * 0.5;  // light bounced off the floor
    colour += vec3(0.3, 1.0, 0.5) * Pulse(cell) * (0.6 + 0.4 * fresnel);
    return colour;
}

vec3 ShadeFloor(vec3 p, vec3 rd, float t) {
    vec3 n = vec3(0.0, 1.0, 0.0);
    float ao;
    float shadow;
    NearbyLight(p, n, ao, shadow);
    vec2 grid = abs(fract(p.xz / kCell) - 0.5);
    float line = exp(-60.0 * min(0.5 - grid.x, 0.5 - grid.y) * (1.0 + 0.3 * t));
    vec2 cell = floor(p.xz / kCell);
    float pulse = Pulse(cell);
    float diffuse = kLightDir.y * shadow;
    vec3 colour = vec3(0.015, 0.06, 0.03) * (0.15 + diffuse) * ao;
    colour += vec3(0.05, 0.5, 0.22) * line * (0.3 + 0.7 * ao);
    // each glowing sphere lights the floor beneath it
    vec3 centre = SphereCentre(cell);
    float below = exp(-2.0 * length(p.xz - centre.xz));
    colour += vec3(0.2, 0.8, 0.4) * pulse * below;
    float fresnel = pow(clamp(1.0 + rd.y, 0.0, 1.0), 5.0);
    colour += Sky(reflect(rd, n)) * fresnel * 0.5;
    return colour;
}

vec3 Camera(vec2 uv, out vec3 ro) {
    float a = uTime * 0.12;
    ro = vec3(8.0 * sin(a) + uTime * 0.9, 3.0 + 0.8 * sin(uTime * 0.21), 8.0 * cos(a) + uTime * 0.6);
    vec3 target = vec3(uTime * 0.9, 0.8, uTime * 0.6);
    vec3 forward = normalize(target - ro);
    vec3 right = normalize(cross(forward, vec3(0.0, 1.0, 0.0)));
    vec3 up = cross(right, forward);
    return normalize(uv.x * right + uv.y * up + 1.6 * forward);
}

void main() {
    vec2 uv = (2.0 * gl_FragCoord.xy - uResolution) / uResolution.y;
    vec3 ro;
    vec3 rd = Camera(uv, ro);

    float floorT = rd.y < 0.0 ? -ro.y / rd.y : 1e4;
    float topT = rd.y < 0.0 ? (kSlabTop - ro.y) / rd.y : 1e4;
    float start = max(topT, 0.0);
    float end = min(floorT, 60.0);

    vec3 colour = Sky(rd);
    float hitT = 1e4;
    float glow = 0.0;
    vec2 cell;
    float t = (start < end) ? MarchSpheres(ro, rd, start, end, cell, glow) : -1.0;
    if (t > 0.0) {
        hitT = t;
        colour = ShadeSphere(ro + rd * t, rd, cell);
    } else if (floorT < 1e3) {
        hitT = floorT;
        colour = ShadeFloor(ro + rd * floorT, rd, floorT);
    }
    float fog = 1.0 - exp(-0.0012 * hitT * hitT);
    colour = mix(colour, Sky(rd), clamp(fog, 0.0, 1.0));
    colour += vec3(0.05, 0.25, 0.12) * glow * (1.0 - fog);

    colour = 1.2 * colour / (1.0 + colour);  // soft highlights
    colour = pow(colour, vec3(0.4545));
    vec2 q = gl_FragCoord.xy / uResolution;
    colour *= 0.55 + 0.45 * pow(16.0 * q.x * q.y * (1.0 - q.x) * (1.0 - q.y), 0.2);
    fragColor = vec4(colour, 1.0);
}
