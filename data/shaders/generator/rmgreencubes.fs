#version 330
// A flight through a lattice of slowly turning rounded cubes, lit by a green
// lamp that travels with the camera. Each cell holds one cube; the step is
// limited to the distance at which a neighbouring cell's cube could start,
// so the march never overshoots and needs few steps. Fog ends the march early.
uniform vec2 uResolution;
uniform float uTime;
uniform float uCameraTime;
uniform vec3 uBgColor;

out vec4 fragColor;

const float kCell = 3.0;
const float kHalfCell = 1.5;
const float kCubeHalf = 0.55;
const float kBound = 0.55 * 1.7320508 + 0.08;  // radius that holds a turning cube
const int kSteps = 32;
const float kFar = 24.0;
const float kBeat = 175.0 / 60.0;

// A hash without transcendental functions: they are the dear part on a CPU.
float Hash(vec3 cell) {
    vec3 p = fract(cell * 0.1031);
    p += dot(p, p.zyx + 31.32);
    return fract((p.x + p.y) * p.z);
}

// Sine of four angles from a refined parabola, a fraction of the cost of
// sin() on a CPU rasteriser and accurate to about a thousandth.
vec4 FastSin(vec4 angle) {
    vec4 x = fract(angle * 0.15915494 + 0.5) * 2.0 - 1.0;
    vec4 y = -4.0 * x * (1.0 - abs(x));
    return 0.225 * (y * abs(y) - y) + y;
}

// Each cube turns about two axes at its own pace: sines in xy, cosines in zw.
vec4 Turn(vec3 cell) {
    float h = Hash(cell);
    vec2 a = vec2(0.6 + h, 0.9 - h) * uTime + h * vec2(6.2831, 17.0);
    return FastSin(vec4(a, a + 1.5707963));
}

// Into the cube's frame: about y, then about x, as two plane rotations.
vec3 ToCube(vec3 p, vec4 turn) {
    p.xz = vec2(turn.w * p.x + turn.y * p.z, turn.w * p.z - turn.y * p.x);
    p.yz = vec2(turn.z * p.y - turn.x * p.z, turn.z * p.z + turn.x * p.y);
    return p;
}

// Back out of it, the same rotations undone in reverse order.
vec3 FromCube(vec3 p, vec4 turn) {
    p.yz = vec2(turn.z * p.y + turn.x * p.z, turn.z * p.z - turn.x * p.y);
    p.xz = vec2(turn.w * p.x - turn.y * p.z, turn.w * p.z + turn.y * p.x);
    return p;
}

// The path the camera flies along: a gentle weave down the z axis.
vec3 Path(float z) {
    return vec3(0.9 * sin(z * 0.11) + kHalfCell, 0.8 * cos(z * 0.083) + kHalfCell, z);
}

float RoundBox(vec3 p, float halfSize, float radius) {
    vec3 q = abs(p) - vec3(halfSize - radius);
    return length(max(q, 0.0)) + min(max(q.x, max(q.y, q.z)), 0.0) - radius;
}

// Distance to the lattice; also the cell and the point in the cube's frame.
float Lattice(vec3 p, out vec3 cell, out vec3 local) {
    cell = floor(p / kCell);
    vec3 q = p - (cell + 0.5) * kCell;
    // the column of cells the camera path weaves through stays empty
    float corridor = (cell.x == 0.0 && cell.y == 0.0) ? 1.0 : 0.0;
    local = ToCube(q, Turn(cell));
    float cube = mix(RoundBox(local, kCubeHalf, 0.12), 1e3, corridor);
    // the nearest cube of another cell is beyond the nearest wall; inside the
    // corridor the walls across the flight hold no cubes and do not count
    vec3 toWall = kHalfCell - abs(q);
    float wall = min(toWall.x, toWall.y);
    if (corridor < 0.5)
        wall = min(wall, toWall.z);
    float safe = wall + (kHalfCell - kBound);
    return min(cube, max(safe, 0.02));
}

float Distance(vec3 p) {
    vec3 cell;
    vec3 local;
    return Lattice(p, cell, local);
}

// The rounded box's normal in closed form, turned back into the world.
vec3 Normal(vec3 cell, vec3 local) {
    vec3 q = max(abs(local) - vec3(kCubeHalf - 0.12), 0.0) * sign(local);
    return normalize(FromCube(q, Turn(cell)));
}

// Three short taps along the normal.
float Occlusion(vec3 p, vec3 n) {
    float occlusion = 0.0;
    for (int i = 1; i <= 3; ++i) {
        float h = 0.12 * float(i);
        occlusion += (h - Distance(p + n * h)) / h;
    }
    return clamp(1.0 - occlusion * 0.3, 0.0, 1.0);
}

// Also tells how much of the step budget the ray used: rays that nearly run
// out are faded into the fog, so the budget never shows as torn edges.
float March(vec3 ro, vec3 rd, out float glow, out float effort) {
    float t = 0.05;
    glow = 0.0;
    effort = 1.0;
    for (int i = 0; i < kSteps; ++i) {
        float d = Distance(ro + rd * t);
        glow += exp(-6.0 * max(d, 0.0)) * 0.015;
        if (d < 0.001 * t) {
            effort = float(i) / float(kSteps);
            return t;
        }
        t += d;
        if (t > kFar)
            break;
    }
    return -1.0;
}

vec3 Background(vec3 rd) {
    return uBgColor + vec3(0.0, 0.05, 0.025) * (0.5 + 0.5 * rd.y);
}

vec3 Shade(vec3 p, vec3 rd, vec3 ro, float t) {
    vec3 cell;
    vec3 local;
    Lattice(p, cell, local);
    vec3 n = Normal(cell, local);
    float ao = Occlusion(p, n);
    vec3 toLamp = ro + vec3(0.0, 0.6, 0.0) - p;
    float lampDistance = length(toLamp);
    vec3 l = toLamp / lampDistance;
    float attenuation = 2.0 / (1.0 + 0.03 * lampDistance * lampDistance);
    float diffuse = max(dot(n, l), 0.0);
    float key = max(dot(n, normalize(vec3(0.4, 0.8, -0.3))), 0.0);
    vec3 h = normalize(l - rd);
    float specular = pow(max(dot(n, h), 0.0), 48.0);
    float fresnel = pow(clamp(1.0 + dot(n, rd), 0.0, 1.0), 4.0);

    // glowing seams along the cube edges
    vec3 a = abs(local);
    float second = a.x + a.y + a.z - max(a.x, max(a.y, a.z)) - min(a.x, min(a.y, a.z));
    float edge = smoothstep(kCubeHalf - 0.1, kCubeHalf - 0.03, second);
    float beat = fract(uTime * kBeat);
    float pulse = step(0.7, Hash(cell + floor(uTime * kBeat * 0.5))) * exp(-3.0 * beat);

    vec3 base = mix(vec3(0.03, 0.18, 0.07), vec3(0.1, 0.35, 0.12), Hash(cell + 3.1));
    vec3 colour = base * (0.04 + 1.3 * diffuse * attenuation + 0.35 * key) * ao;
    colour += vec3(0.6, 1.0, 0.6) * specular * attenuation;
    colour += vec3(0.05, 0.35, 0.15) * fresnel * ao;
    colour += vec3(0.2, 1.0, 0.45) * edge * (0.25 + 1.2 * pulse);
    return colour;
}

void main() {
    vec2 uv = (2.0 * gl_FragCoord.xy - uResolution) / uResolution.y;
    float z = uCameraTime * 2.4;
    vec3 ro = Path(z);
    vec3 target = Path(z + 3.0);
    vec3 forward = normalize(target - ro);
    float roll = 0.25 * sin(uCameraTime * 0.19);
    vec3 right = normalize(cross(forward, vec3(sin(roll), cos(roll), 0.0)));
    vec3 up = cross(right, forward);
    vec3 rd = normalize(uv.x * right + uv.y * up + 1.5 * forward);

    float glow;
    float effort;
    float t = March(ro, rd, glow, effort);
    vec3 colour = Background(rd);
    float depth = kFar;
    if (t > 0.0) {
        depth = t;
        colour = Shade(ro + rd * t, rd, ro, t);
    }
    float fog = max(1.0 - exp(-0.0055 * depth * depth), effort * effort * effort);
    colour = mix(colour, Background(rd), clamp(fog, 0.0, 1.0));
    colour += vec3(0.02, 0.2, 0.08) * glow * (1.0 - fog);

    colour = 1.2 * colour / (1.0 + colour);
    colour = pow(colour, vec3(0.4545));
    vec2 q = gl_FragCoord.xy / uResolution;
    colour *= 0.5 + 0.5 * pow(16.0 * q.x * q.y * (1.0 - q.x) * (1.0 - q.y), 0.25);
    fragColor = vec4(colour, 1.0);
}
