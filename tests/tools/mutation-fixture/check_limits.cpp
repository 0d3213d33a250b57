bool isAdult(int age);
bool isSenior(int age);

int main()
{
    const bool right = isAdult(18) && !isAdult(17) && isSenior(90) && !isSenior(20);
    return right ? 0 : 1;
}
