#!/usr/bin/env python3
"""Reference figures for the engine's tests, computed apart from the engine.

Heat loss: the steady heat balance solved to 1e-9 K (the surface temperature
by bisection, the layer mean temperatures by fixed point), from the textbook
film and layer resistances and the surface coefficients that the engine uses.
The engine stops its iterations at 0.05 K and 1 K, so the tests compare with
a tolerance. Run: python3 reference_figures.py
"""
import math

PI = math.pi

def h_conv_flat(ts, ta, v):
    dt = ts - ta
    if v < 0.5:
        return 3.5 + 0.09 * abs(dt) if dt <= 10 else 2.55 * abs(dt) ** 0.25
    if v <= 5:
        return 4.2 * v + 6.2
    return 7.6 * v ** 0.8

def h_conv_pipe(d, ts, ta, v):
    if v <= 0.5:
        return 1.35 * (abs(ts - ta) / d) ** 0.25
    return 4.13 * v ** 0.8 * d ** -0.2

def h_rad(eps, ta, ts):
    if ts == ta:
        ts = ta - 0.01
    t1, t2 = ts + 273, ta + 273
    return eps * 5.67e-8 * (t1 ** 4 - t2 ** 4) / (t1 - t2)

def table_lambda(temps, lambdas, x):
    pts = sorted(zip(temps[1:], lambdas[1:]))
    for (t0, l0), (t1, l1) in zip(pts, pts[1:]):
        if t0 <= x < t1:
            return l0 + (x - t0) / (t1 - t0) * (l1 - l0)
    raise ValueError("outside table")

def heat_loss(obj, tm, ta, v, eps, d0=0.0, layers=(), width=0.0, height=0.0):
    """layers: list of (thickness m, lambda function of mean temperature)."""
    pipe = obj in (1, 4)
    hi = 10.0 if obj in (4, 5) else 100.0
    faces = [d0]
    for s, _ in layers:
        faces.append(faces[-1] + 2 * s)
    d3 = faces[-1]

    def balance(ts):
        # heat through the layers (with means iterated) minus heat from the surface
        means = [(tm + ts) / 2] * len(layers)
        for _ in range(1000):
            lam = [f(m) for (_, f), m in zip(layers, means)]
            if pipe:
                r = [1 / (hi * 0.95 * d0 * PI)]
                r += [math.log(faces[k + 1] / faces[k]) / (2 * PI * lam[k]) for k in range(len(layers))]
            else:
                r = [1 / hi] + [layers[k][0] / lam[k] for k in range(len(layers))]
            q = (tm - ts) / sum(r)
            theta = [tm - q * r[0]]
            for k in range(len(layers)):
                theta.append(theta[-1] - q * r[k + 1])
            new = [(theta[k] + theta[k + 1]) / 2 for k in range(len(layers))]
            if max(abs(a - b) for a, b in zip(new, means)) < 1e-12:
                break
            means = new
        ho = h_rad(eps, ta, ts) + (h_conv_pipe(d3, ts, ta, v) if pipe else h_conv_flat(ts, ta, v))
        qs = ho * (ts - ta) * (PI * d3 if pipe else 1.0)
        return q - qs, q, theta, lam

    lo, hi_t = min(tm, ta), max(tm, ta)
    for _ in range(200):
        mid = (lo + hi_t) / 2
        f = balance(mid)[0]
        if (f > 0) == (tm > ta):
            lo, hi_t = (mid, hi_t) if tm > ta else (lo, mid)
        else:
            lo, hi_t = (lo, mid) if tm > ta else (mid, hi_t)
    _, q, theta, lam = balance((lo + hi_t) / 2)
    if obj == 5:
        t = sum(s for s, _ in layers)
        q = q * (2 * (width + 2 * t) + 2 * (height + 2 * t))
    return q, theta, lam

def poly(a, b=0.0, c=0.0, d=0.0):
    return lambda m: a + b * (m / 100) + c * (m / 100) ** 2 + d

def report(name, q, theta, lam):
    print(f"{name}: q={q:.4f} faces={[round(t, 3) for t in theta]} lambda={[round(l, 5) for l in lam]}")

def print_heat_losses():
    wool = poly(0.033, 0.015, 0.006)
    report("pipe 114.3 mm, 50 mm wool, 150/20 C, still, eps 0.9",
           *heat_loss(1, 150, 20, 0.0, 0.9, 0.1143, [(0.05, wool)]))
    report("same, wind 5 m/s",
           *heat_loss(1, 150, 20, 5.0, 0.9, 0.1143, [(0.05, wool)]))
    report("same, eps 0.05 (aluminium), still",
           *heat_loss(1, 150, 20, 0.0, 0.05, 0.1143, [(0.05, wool)]))
    report("pipe 114.3 mm, three layers 40/30/20 mm, 250/20 C, still, eps 0.9",
           *heat_loss(1, 250, 20, 0.0, 0.9, 0.1143,
                      [(0.04, poly(0.040, 0.02, 0.008)), (0.03, wool), (0.02, poly(0.030, 0.01))]))
    report("cold pipe 60.3 mm, 30 mm foam 0.036, -20/25 C, still, eps 0.9",
           *heat_loss(1, -20, 25, 0.0, 0.9, 0.0603, [(0.03, poly(0.036))]))
    report("plane wall, 100 mm wool, 300/20 C, still, eps 0.9",
           *heat_loss(2, 300, 20, 0.0, 0.9, 0, [(0.1, wool)]))
    report("plane wall, two layers 60/40 mm, 300/20 C, wind 10 m/s, eps 0.2",
           *heat_loss(3, 300, 20, 10.0, 0.2, 0, [(0.06, poly(0.040, 0.02, 0.008)), (0.04, wool)]))
    report("round duct 400 mm (inner coefficient 10), 50 mm 0.04, 40/10 C, still, eps 0.9",
           *heat_loss(4, 40, 10, 0.0, 0.9, 0.4, [(0.05, poly(0.04))]))
    report("cold plane wall, 80 mm 0.035 + 0.01 t, -30/20 C, still, eps 0.9",
           *heat_loss(2, -30, 20, 0.0, 0.9, 0, [(0.08, poly(0.035, 0.01))]))
    report("plane wall, 60 mm wool, 200/10 C, wind 2 m/s, eps 0.05",
           *heat_loss(2, 200, 10, 2.0, 0.05, 0, [(0.06, wool)]))
    report("pipe 219.1 mm, 80 mm 0.032 + 0.012 t + 0.005 t^2 + 0.004, 300/15 C, wind 1 m/s, eps 0.3",
           *heat_loss(1, 300, 15, 1.0, 0.3, 0.2191, [(0.08, poly(0.032, 0.012, 0.005, 0.004))]))
    report("rectangular duct 0.6 x 0.4 m, 50 mm 0.04, 40/10 C, still, eps 0.9",
           *heat_loss(5, 40, 10, 0.0, 0.9, 0, [(0.05, poly(0.04))], 0.6, 0.4))
    temps = [0, 0, 50, 100, 200, 300]
    lams = [0.5, 0.034, 0.040, 0.047, 0.065, 0.090]
    report("pipe 88.9 mm, 60 mm tabulated product, 200/20 C, still, eps 0.9",
           *heat_loss(1, 200, 20, 0.0, 0.9, 0.0889, [(0.06, lambda m: table_lambda(temps, lams, m))]))

def p_sat(t_kelvin):
    """Saturation pressure over water, hPa."""
    return math.exp(0.0057 * t_kelvin + 77.345 - 7235 / t_kelvin) / (t_kelvin ** 8.2 * 100)

def dew_point(t, phi):
    """Temperature whose saturation pressure is phi % of that at t, by bisection."""
    target = phi / 100 * p_sat(t + 273.16)
    lo, hi = 120.0, t + 273.16
    for _ in range(200):
        mid = (lo + hi) / 2
        lo, hi = (mid, hi) if p_sat(mid) < target else (lo, mid)
    return lo - 273.16

def magnus(t, phi):
    """Magnus formula over water (a second, independent check)."""
    g = math.log(phi / 100) + 17.62 * t / (243.12 + t)
    return 243.12 * g / (17.62 - g)

def pipe_outlet(tin, ta, length, flow, c_kj, u_per_m):
    return ta + (tin - ta) * math.exp(-u_per_m * length / (flow * c_kj * 1000))

def print_transients():
    for t, phi in [(20, 50), (20, 80), (-10, 80), (-31, 80), (-31, 30), (50, 90), (0, 100), (35, 10)]:
        print(f"dew point {t} C {phi} %: {dew_point(t, phi):.3f} (Magnus {magnus(t, phi):.3f})")
    # Stationary water in a pipe: 60 -> 5 C at 0 C ambient, 200 W/m of... per metre values
    m_w, c_w, m_s, c_s, q0 = 7.5, 4.186, 12.0, 0.46, 25.0
    hours = (60 - 0) * (m_w * c_w + m_s * c_s) * math.log(60 / 5) / (3.6 * q0)
    print(f"stationary cooling 60->5 C at 0 C: {hours:.4f} h")
    # Cold contents warming: 2 -> 15 C at 25 C, heat loss -10 W/m
    hours = (2 - 25) * (7.5 * 4.186) * math.log((2 - 25) / (15 - 25)) / (3.6 * -10)
    print(f"stationary warming 2->15 C at 25 C: {hours:.4f} h")
    # Tank: cylinder D 2 m, H 3 m, both ends; water 80 -> 40 C at 10 C, 15 W/m2
    area, vol = 8 * math.pi, 3 * math.pi
    hours = math.log(70 / 30) * 70 * 1000 * vol * 4.186 / (15 * area * 3.6)
    print(f"tank cylinder: area {area:.5f} volume {vol:.5f} time {hours:.4f} h")
    # Box 2 x 1.5 x 1 m, one end: area 2*2*1 + 2*1.5*1 + 3 = 10, volume 3
    hours = math.log((5 - 20) / (12 - 20)) * (5 - 20) * 1000 * 3 * 4.186 / (-8 * 10 * 3.6)
    print(f"tank box one end: time {hours:.4f} h")
    # Pipe, flowing: 88.9 mm pipe, 50 mm λ 0.04, surface 22 C, ambient 20, still, eps 0.9
    d0, d1, ts, ta, eps = 0.0889, 0.1889, 22.0, 20.0, 0.9
    ho = h_rad(eps, ta, ts) + h_conv_pipe(d0, ts, ta, 0)
    r = math.log(d1 / d0) / 0.04 / (2 * math.pi) + 1 / (math.pi * d1 * ho)
    out = pipe_outlet(90, ta, 500, 0.5, 4.186, 1 / r)
    print(f"pipe flow: U {1 / r:.5f} W/mK outlet {out:.4f} change {90 - out:.4f}")
    ts, ta = 22.0, 25.0
    ho = h_rad(eps, ta, ts) + h_conv_pipe(d0, ts, ta, 0)
    r = math.log(d1 / d0) / 0.04 / (2 * math.pi) + 1 / (math.pi * d1 * ho)
    out = pipe_outlet(5, ta, 500, 0.5, 4.186, 1 / r)
    print(f"cold pipe flow: outlet {out:.4f} change {5 - out:.4f}")
    # Rectangular duct 0.6 x 0.4 m, 50 mm λ 0.04, air 0.8 kg/s c 1.0, 40 -> ?, ambient 10, 100 m
    ho = h_rad(0.9, 10, 12) + h_conv_flat(12, 10, 0)
    u_m2 = 1 / (0.05 / 0.04 + 1 / ho)
    perim = 2 * (0.6 + 0.1) + 2 * (0.4 + 0.1)
    out = pipe_outlet(40, 10, 100, 0.8, 1.0, u_m2 * perim)
    print(f"duct flow: U {u_m2:.5f} W/m2K perimeter {perim} outlet {out:.4f}")
    # Freezing: 60.3 mm steel pipe, water 10 -> 0 C, 8 W/m
    d = 0.0603; di = 0.95 * d
    heat = 4186 * 1000 * math.pi * di ** 2 / 4 + 460 * 7850 * math.pi * (d * d - di * di) / 4
    print(f"freezing time: {heat * 10 / (8 * 3600):.4f} h")
    # Total freezing: 50 % of the water, 334 kJ/kg, 30 mm λ 0.04 then 20 mm λ 0.035, ambient -15
    s = math.log((d + 0.06) / d) / 0.04 + math.log((d + 0.1) / (d + 0.06)) / 0.035
    q = 2 * math.pi * 15 / s
    print(f"total freezing: q {q:.4f} W/m time {0.5 * 1000 * math.pi * di ** 2 / 4 * 334 / (q * 3.6):.4f} h")
    # Annuity: 5 % over 20 years, investment 1000; energy 40 EUR/MWh, 8000 h, 2 % rise, 60 W/m
    f = 1 - 1.05 ** -20
    capital = 0.05 / f * 1000
    energy = 8000 * 40 * 1.02 ** 10 * 60 * 1e-6
    print(f"costs: capital {capital:.4f} energy {energy:.4f} total {capital + energy:.4f}")

def print_review_figures():
    wool = poly(0.033, 0.015, 0.006)
    q, theta, _ = heat_loss(1, 640, 20, 0.0, 0.9, 1.0, [(0.005, wool)])
    print(f"pipe 1 m, 5 mm wool, 640/20 C, still, eps 0.9: q={q:.2f} surface={theta[-1]:.3f}")
    # Inner surface (medium side) of a round duct of 88.9 mm, humid air inside.
    for s in (0.03, 0.05, 0.08):
        q, theta, _ = heat_loss(4, 30, -10, 0.0, 0.9, 0.0889, [(s, wool)])
        print(f"round duct 88.9 mm, {s * 1000:.0f} mm wool, 30/-10 C: inner surface {theta[0]:.3f}")
    for phi in (70, 78):
        print(f"dew point 30 C {phi} %: {dew_point(30, phi):.3f}")
    # Plane wall in still air whose surface would sit 10 K above the air: the
    # fixed point with either branch of the convection lies on the other side.
    ta, tm, lam, s = 20, 300, 0.04, 0.109
    for hc in (3.5 + 0.09 * 10, 2.55 * 10 ** 0.25):
        ts = ta + 10
        for _ in range(300):
            h = h_rad(0.9, ta, ts) + hc
            ts = ta + (tm - ta) / (0.01 + s / lam + 1 / h) / h
        print(f"plane wall 109 mm, h_c {hc:.3f}: surface {ts - ta:.3f} K above the air")
    # Freezing behind 2 mm of λ 0.04 on the 60.3 mm pipe at -15 C, half the water.
    d = 0.0603
    di = 0.95 * d
    q = 2 * math.pi * 15 / (math.log((d + 0.004) / d) / 0.04)
    print(f"total freezing under 2 mm: q {q:.4f} W/m time {0.5 * 1000 * math.pi * di ** 2 / 4 * 334 / (q * 3.6):.4f} h")

if __name__ == "__main__":
    print_heat_losses()
    print_transients()
    print_review_figures()
