#!/usr/bin/env python3
"""Writes a synthetic catalogue package list (the v1 package-list JSON shape)
for benchmarks and load tests.

Usage: gen_package_list.py [--packages N] [--seed S] OUT.json

Deterministic for a given seed. Sizes follow a long-tailed distribution of
versions per package so the document resembles a large community listing:
the default of 10,000 packages gives a document of roughly 40 MB.
"""
import argparse, json, random, uuid, datetime

WORDS = ("valheim viking build craft ship sword axe bow boss portal forge smelter "
         "inventory map minimap stack sort chest farming cooking armor troll hammer "
         "server sync config tweak quality life ui hud fix better more plus extended "
         "rune raven odin troll serpent swamp plains mistlands ashlands deep north").split()
CATEGORIES = ["Mods", "Tools", "Libraries", "Client-side", "Server-side", "Tweaks",
              "Items", "Crafting", "Building", "Creatures", "Hildir Update",
              "Ashlands Update", "Mistlands Update", "Audio", "Misc", "Modpacks",
              "Utility", "AI Generated", "Maps", "Weapons", "Armor", "Food"]


def iso(ts, rng):
    d = datetime.datetime.fromtimestamp(ts, datetime.timezone.utc)
    if rng.random() < 0.5:
        return d.strftime("%Y-%m-%dT%H:%M:%S.") + "%06dZ" % rng.randrange(10**6)
    return d.strftime("%Y-%m-%dT%H:%M:%SZ")


def sentence(rng, lo, hi):
    return " ".join(rng.choice(WORDS) for _ in range(rng.randint(lo, hi))).capitalize() + "."


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--packages", type=int, default=10000)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("out")
    a = ap.parse_args()
    rng = random.Random(a.seed)
    base = "https://thunderstore.io"
    names = []
    pkgs = []
    for i in range(a.packages):
        owner = "".join(rng.choice("abcdefghijklmnopqrstuvwxyzABCDEFGHIJ") for _ in range(rng.randint(4, 12)))
        name = "_".join(rng.choice(WORDS).capitalize() for _ in range(rng.randint(1, 3))) + str(i)
        full = owner + "-" + name
        names.append(full)
        nver = min(300, max(1, int(rng.paretovariate(1.1))))
        t_created = 1612137600 + rng.randrange(120_000_000)
        versions = []
        major, minor, patch = rng.randint(0, 3), rng.randint(0, 9), 0
        for v in range(nver):
            patch += 1
            if rng.random() < 0.1:
                minor, patch = minor + 1, 0
            versions.append((major, minor, patch))
        versions.reverse()
        vobjs = []
        for k, (M, m, p) in enumerate(versions):
            vn = "%d.%d.%d" % (M, m, p)
            deps = ["denikson-BepInExPack_Valheim-5.4.%d" % rng.choice((1900, 2100, 2202))]
            for _ in range(rng.choice((0, 0, 0, 1, 1, 2, 3))):
                if names[:-1]:
                    deps.append(rng.choice(names[:-1]) + "-1.0.%d" % rng.randrange(30))
            vobjs.append({
                "name": name, "full_name": full + "-" + vn,
                "description": sentence(rng, 4, 40)[:250],
                "icon": "https://gcdn.thunderstore.io/live/repository/icons/%s-%s.png" % (full, vn),
                "version_number": vn, "dependencies": deps,
                "download_url": "%s/package/download/%s/%s/%s/" % (base, owner, name, vn),
                "downloads": int(rng.paretovariate(1.1) * 50) if rng.random() > 0.02 else None,
                "date_created": iso(t_created - k * 86400, rng),
                "website_url": "https://github.com/%s/%s" % (owner, name) if rng.random() < 0.6 else "",
                "is_active": True, "uuid4": str(uuid.UUID(int=rng.getrandbits(128), version=4)),
                "file_size": rng.randrange(5_000, 50_000_000),
            })
        pkgs.append({
            "name": name, "full_name": full, "owner": owner,
            "package_url": "%s/c/valheim/p/%s/%s/" % (base, owner, name),
            "donation_link": None if rng.random() < 0.8 else "https://ko-fi.com/" + owner,
            "date_created": iso(t_created - nver * 86400, rng),
            "date_updated": iso(t_created, rng),
            "uuid4": str(uuid.UUID(int=rng.getrandbits(128), version=4)),
            "rating_score": int(rng.paretovariate(1.2)) - 1,
            "is_pinned": False, "is_deprecated": rng.random() < 0.08,
            "has_nsfw_content": rng.random() < 0.01,
            "categories": rng.sample(CATEGORIES, rng.randint(0, 4)),
            "versions": vobjs,
        })
    with open(a.out, "w") as f:
        json.dump(pkgs, f, separators=(",", ":"), ensure_ascii=False)


if __name__ == "__main__":
    main()
